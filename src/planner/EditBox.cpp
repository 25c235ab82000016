#include "planner/EditBox.h"

#include <windowsx.h>

#include "framework/ExceptionBarrier.h"
#include "framework/PaintDC.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowText.h"
#include "planner/EditView.h"

namespace planner {
namespace {

// The link from the control to its EditBox (see fw::Window for why a
// property rather than GWLP_USERDATA).
const char kObjectProperty[] = "Lumetta.EditBox";

}  // namespace

EditBox::~EditBox() {
  if (hwnd_ == nullptr) return;
  owner_ = nullptr;  // the owner asked for this; it has committed already
  DestroyWindow(hwnd_);
}

bool EditBox::Create(HWND parent, std::size_t maxChars) {
  // Multi-line, so that Enter and Tab reach the control as keys.
  hwnd_ =
      CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 0,
                      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                      GetModuleHandleA(nullptr), nullptr);
  if (hwnd_ == nullptr) return false;
  SetPropA(hwnd_, kObjectProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBox::Procedure)));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_->EditorFont()), FALSE);
  SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
  return true;
}

void EditBox::Show(const RECT& area) {
  SetWindowPos(hwnd_, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_SHOWWINDOW);
  // Handled after the message that opened the editor: the focus then stays.
  PostMessageA(hwnd_, WM_ACTIVATE, WA_CLICKACTIVE, 0);
}

std::string EditBox::Text() const { return fw::WindowText(hwnd_); }

void EditBox::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

bool EditBox::PaintsEntryColour() const {
  if (SendMessageA(hwnd_, EM_GETMODIFY, 0, 0) != 0) return false;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start == end;  // a selection shows in the standard colours
}

LRESULT CALLBACK EditBox::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<EditBox*>(GetPropA(hwnd, kObjectProperty));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  return fw::Guarded<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT EditBox::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

void EditBox::Detach() {
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
}

LRESULT EditBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      // The owner may destroy this editor here: nothing of it is touched after.
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_CHAR:
      // An entry is one line: Tab, Enter and Esc are moves, never text.
      if (wParam == '\t' || wParam == '\r' || wParam == '\n' || wParam == VK_ESCAPE) return 0;
      break;
    case WM_PASTE:
      if (PasteOneLine()) return 0;
      break;
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      if (delta > 0) owner_->SlotUp();
      if (delta < 0) owner_->SlotDown();
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd_);
      return 0;
    case WM_PAINT:
      if (!PaintsEntryColour()) break;
      PaintInEntryColour();
      return 0;
    case WM_DESTROY:
      if (owner_ != nullptr) {
        SlotEditorOwner* owner = owner_;
        owner_ = nullptr;
        owner->EditorLost();
      }
      break;
    case WM_NCDESTROY: {
      const WNDPROC original = original_;
      HWND hwnd = hwnd_;
      Detach();
      return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool EditBox::OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_DOWN:
      owner_->SlotDown();
      return true;
    case VK_UP:
      owner_->SlotUp();
      return true;
    case VK_ESCAPE:
      owner_->CloseFromEditor();
      return true;
    case VK_PRIOR:
      owner_->PageSlots(false);
      return true;
    case VK_NEXT:
      owner_->PageSlots(true);
      return true;
    default:
      // The first real key ends the entry-colour painting with a full repaint.
      if (painted_ && key != VK_CONTROL) InvalidateRect(hwnd_, nullptr, TRUE);
      painted_ = false;
      return false;
  }
}

bool EditBox::PasteOneLine() {
  if (!OpenClipboard(hwnd_)) return false;
  std::string text;
  bool got = false;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      got = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (!got) return false;
  // An entry is one line of the data file: each line break (CR LF, CR or
  // LF) becomes a space.
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  SendMessageA(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
  return true;
}

void EditBox::PaintInEntryColour() {
  fw::PaintDC paint(hwnd_);
  if (!paint) return;
  painted_ = true;
  HideCaret(hwnd_);
  RECT client = {};
  GetClientRect(hwnd_, &client);
  FillRect(paint.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
  fw::ScopedSelect font(paint.Get(), owner_ != nullptr ? owner_->EditorFont() : nullptr);
  SetTextColor(paint.Get(),
               owner_ != nullptr ? owner_->EditorTextColour() : GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(paint.Get(), TRANSPARENT);
  const std::string text = Text();
  TextOutA(paint.Get(), 2, 0, text.c_str(), static_cast<int>(text.size()));
  ShowCaret(hwnd_);
  // The slot taking the keyboard back ends the editing of the notes.
  if (EditView::IsBeingEdited()) EditView::EndNotesEditing();
}

}  // namespace planner
