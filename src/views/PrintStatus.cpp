#include "views/PrintStatus.h"

namespace views {
namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 130;

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;  // replaced per window below
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = PrintStatus::kClassName;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id) {
  HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return child;
}

}  // namespace

PrintStatus::PrintStatus(HWND owner, const std::string& title) {
  RegisterClassOnce();
  RECT over = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr) GetWindowRect(owner, &over);
  const int x = (over.left + over.right - kWidth) / 2;
  const int y = (over.top + over.bottom - kHeight) / 2;
  window_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Printing", WS_POPUP | WS_CAPTION, x,
                            y, kWidth, kHeight, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PrintStatus::WindowProc));
  Child(window_, "STATIC", title.c_str(), SS_CENTER | SS_NOPREFIX, 10, 10, kWidth - 26, 18, -1);
  pageText_ = Child(window_, "STATIC", "", SS_CENTER, 10, 30, kWidth - 26, 18, kPageTextId);
  Child(window_, "BUTTON", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, (kWidth - 80) / 2 - 3, 58, 80,
        24, IDCANCEL);
  // Shown without taking the activation from the window that printed.
  ShowWindow(window_, SW_SHOWNA);
  UpdateWindow(window_);
}

PrintStatus::~PrintStatus() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

void PrintStatus::ShowPage(int page, int last) {
  if (pageText_ == nullptr) return;
  const std::string text = "Printing page " + std::to_string(page) + " of " + std::to_string(last);
  SetWindowTextA(pageText_, text.c_str());
  UpdateWindow(window_);
}

bool PrintStatus::Cancelled() {
  MSG msg;
  while (window_ != nullptr && PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageA(window_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return cancelled_;
}

LRESULT CALLBACK PrintStatus::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PrintStatus*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr) {
    if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ||
        (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
      self->cancelled_ = true;
      return 0;
    }
    if (message == WM_DESTROY) self->window_ = nullptr;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace views
