#include "shell/SyncConflictsWindow.h"

#include <cstdio>

#include "store/CalendarText.h"
#include "store/ProgramState.h"
#include "views/MainFont.h"

namespace shell {

namespace {

constexpr int kWidthAt96 = 560;
constexpr int kHeightAt96 = 220;
constexpr int kListId = 100;

}  // namespace

SyncConflictsWindow::SyncConflictsWindow(OpenDay openDay, LOGFONTA font)
    : openDay_(std::move(openDay)), fontDescription_(font) {}

SyncConflictsWindow::~SyncConflictsWindow() { Destroy(); }

std::string SyncConflictsWindow::RowText(const store::SyncConflict& c) {
  // Times as the planners show them.
  char when[40];
  std::snprintf(when, sizeof when, "%d/%d/%d %s", c.year, c.month, c.day,
                store::TimeText(c.hour, c.minute, store::g_settings.militaryTime != 0).c_str());
  const std::string& won = c.serverWon ? c.serverText : c.localText;
  const std::string& lost = c.serverWon ? c.localText : c.serverText;
  return std::string(when) + "   " + (c.serverWon ? "Server's" : "This computer's") + ": \"" + won +
         "\"   Kept beside it: \"" + lost + "\"";
}

bool SyncConflictsWindow::Show(HWND owner, const std::vector<store::SyncConflict>& conflicts,
                               bool activate) {
  conflicts_ = conflicts;
  if (!Exists()) {
    fw::WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.background = GetSysColorBrush(COLOR_BTNFACE);
    fw::WindowParams params;
    params.title = "Sync Conflicts";
    params.style = WS_OVERLAPPEDWINDOW;
    params.parent = owner;
    const fw::Dpi dpi = fw::Dpi::ForWindow(owner);
    params.width = dpi.Scale(kWidthAt96);
    params.height = dpi.Scale(kHeightAt96);
    if (!Create(windowClass, params)) return false;
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                            0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kListId),
                            GetModuleHandleA(nullptr), nullptr);
    OnDpiChanged();
  }
  Fill();
  if (activate) {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(list_);
  } else if (!IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  }
  return true;
}

void SyncConflictsWindow::Fill() {
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  {
    HDC dc = GetDC(list_);
    const HGDIOBJ old = SelectObject(dc, font_.Get());
    for (const store::SyncConflict& c : conflicts_) {
      const std::string row = RowText(c);
      SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
      SIZE size = {};
      GetTextExtentPoint32A(dc, row.c_str(), static_cast<int>(row.size()), &size);
      if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
  }
  SendMessageA(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  // The newest first in view: they are listed oldest first.
  if (!conflicts_.empty()) {
    SendMessageA(list_, LB_SETCURSEL, conflicts_.size() - 1, 0);
  }
}

void SyncConflictsWindow::OpenChosen() {
  const LRESULT at = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  if (at < 0 || static_cast<std::size_t>(at) >= conflicts_.size()) return;
  const store::SyncConflict& c = conflicts_[static_cast<std::size_t>(at)];
  if (c.year != 0) openDay_(c.year, c.month, c.day);
}

void SyncConflictsWindow::Layout() {
  RECT client = {};
  GetClientRect(Handle(), &client);
  MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
}

void SyncConflictsWindow::OnDpiChanged() {
  font_ = views::MakeScaledFont(fontDescription_, WindowDpi());
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  Layout();
}

LRESULT SyncConflictsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_);
      return 0;
    case WM_VKEYTOITEM:
      if (LOWORD(wParam) == VK_RETURN) {
        OpenChosen();
        return -2;
      }
      if (LOWORD(wParam) == VK_ESCAPE) {
        ShowWindow(Handle(), SW_HIDE);
        return -2;
      }
      return -1;
    case WM_COMMAND:
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) OpenChosen();
      return 0;
    case WM_CLOSE:
      // Hidden, not destroyed: the list stays for the File menu.
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace shell
