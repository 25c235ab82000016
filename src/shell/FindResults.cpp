#include "shell/FindResults.h"

#include <memory>
#include <string>

#include "framework/WorkArea.h"

namespace shell {

namespace {

constexpr const char* kClassName = "LumettaFindResults";
constexpr const char* kTitle = "Search Results";
constexpr int kListId = 1;
constexpr int kWidthAt96 = 420;
constexpr int kHeightAt96 = 260;

std::unique_ptr<FindResults> g_findResults;

}  // namespace

FindResults* FindResults::Current() { return g_findResults.get(); }

FindResults* FindResults::Show(HWND owner, const std::vector<store::SearchHit>& hits,
                               OpenDay openDay) {
  if (!g_findResults) {
    // The constructor is private: only Show makes the one window.
    g_findResults.reset(new FindResults());
    if (!g_findResults->Create(owner)) {
      g_findResults.reset();
      return nullptr;
    }
  }
  FindResults& window = *g_findResults;
  window.openDay_ = std::move(openDay);
  window.Fill(hits);
  ShowWindow(window.Handle(), SW_RESTORE);
  SetForegroundWindow(window.Handle());
  SetFocus(window.list_);
  return &window;
}

FindResults::~FindResults() { Destroy(); }

bool FindResults::Create(HWND owner) {
  const fw::Dpi dpi = fw::Dpi::ForWindow(owner);
  fw::WindowParams params;
  params.title = kTitle;
  params.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  params.exStyle = WS_EX_APPWINDOW;  // a taskbar button, and Alt+Tab finds it
  params.width = dpi.Scale(kWidthAt96);
  params.height = dpi.Scale(kHeightAt96);
  params.parent = owner;
  fw::WindowClass windowClass;
  windowClass.name = kClassName;
  windowClass.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!fw::Window::Create(windowClass, params)) return false;

  list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                              LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
                          0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kListId),
                          GetModuleHandleA(nullptr), nullptr);
  if (list_ == nullptr) return false;
  MakeFont();
  RECT client = {};
  GetClientRect(Handle(), &client);
  MoveWindow(list_, 0, 0, client.right, client.bottom, FALSE);
  fw::CentreOnOwner(Handle());
  return true;
}

void FindResults::MakeFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  // The system answers for the system DPI; the list is laid out for its own.
  const LOGFONTA font = WindowDpi().ScaleFont(fw::Dpi::System().UnscaleFont(metrics.lfMessageFont));
  font_.Reset(CreateFontIndirectA(&font));
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
}

void FindResults::Fill(const std::vector<store::SearchHit>& hits) {
  hits_ = hits;
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  for (const store::SearchHit& hit : hits_) {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(hit.line.c_str()));
  }
  SendMessageA(list_, LB_SETCURSEL, 0, 0);
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  const std::string title = std::string(kTitle) + " (" + std::to_string(hits_.size()) + " entries)";
  SetWindowTextA(Handle(), title.c_str());
}

void FindResults::OpenSelected() {
  const LRESULT row = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  if (row < 0 || static_cast<size_t>(row) >= hits_.size() || !openDay_) return;
  const store::SearchHit hit = hits_[static_cast<size_t>(row)];
  openDay_(hit.year, hit.month, hit.day);
}

bool FindResults::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == kListId && notifyCode == LBN_DBLCLK) {
    OpenSelected();
    return true;
  }
  return fw::Window::OnCommand(id, notifyCode, control);
}

LRESULT FindResults::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (list_ != nullptr) MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (list_ != nullptr) SetFocus(list_);
      return 0;
    case WM_VKEYTOITEM:
      // The list's keys: Enter opens the day, Esc closes; -1 lets the list
      // handle the rest itself, -2 says the key was taken.
      if (LOWORD(wParam) == VK_RETURN) {
        OpenSelected();
        return -2;
      }
      if (LOWORD(wParam) == VK_ESCAPE) {
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return -2;
      }
      return -1;
    default:
      return fw::Window::HandleMessage(message, wParam, lParam);
  }
}

void FindResults::OnDpiChanged() { MakeFont(); }

void FindResults::OnFinalMessage() {
  if (g_findResults.get() == this) {
    std::unique_ptr<FindResults> doomed = std::move(g_findResults);
  }
}

}  // namespace shell
