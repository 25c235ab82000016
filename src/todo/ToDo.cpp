// The to-do window's life cycle, its editor, keys and commands. The drawing
// is in ToDoDrawing.cpp.
#include "todo/ToDo.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/PaintDC.h"
#include "framework/Prompter.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "framework/WindowText.h"
#include "framework/WorkArea.h"
#include "resource.h"
#include "store/ProgramState.h"
#include "todo/LegacyToDoLines.h"
#include "todo/ToDoHelp.h"
#include "todo/ToDoHost.h"
#include "views/MainFont.h"
#include "views/MonthView.h"

namespace todo {
namespace {

// The program's one to-do window (program-wide: the main window reaches it
// through ToDo's static operations).
std::unique_ptr<ToDo> g_toDo;

constexpr int kLastRow = store::kToDoLines - 1;

// Puts 8-bit text on the clipboard; false when the clipboard is busy.
bool SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  bool placed = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!placed) GlobalFree(memory);  // the clipboard owns it only once placed
  }
  CloseClipboard();
  return placed;
}

}  // namespace

// --- The program's to-do window ---------------------------------------------------

ToDo* ToDo::Current() { return g_toDo.get(); }

ToDo* ToDo::Open(ToDoHost& host, HFONT mainFont) {
  if (g_toDo) {
    HWND window = g_toDo->Handle();
    ShowWindow(window, SW_RESTORE);
    SetActiveWindow(window);
    // Also from the tray menu, over another program's windows.
    SetForegroundWindow(window);
    return g_toDo.get();
  }
  // The constructor is private: only Open makes the one window.
  g_toDo.reset(new ToDo(host));
  if (!g_toDo->Create(mainFont)) {
    g_toDo.reset();
    return nullptr;
  }
  const std::string unread = g_toDo->lists_.UnreadFilesMessage();
  if (!unread.empty()) host.ToDoPrompter().Show(g_toDo->Handle(), unread, MB_OK | MB_ICONWARNING);
  const std::string side = g_toDo->lists_.SideFilesMessage();
  if (!side.empty()) host.ToDoPrompter().Show(g_toDo->Handle(), side, MB_OK | MB_ICONINFORMATION);
  return g_toDo.get();
}

void ToDo::CloseToDo() {
  // Taken out of the program-wide reference first, so that nothing reaches
  // the window while it is destroyed; its destruction writes the lists.
  std::unique_ptr<ToDo> doomed = std::move(g_toDo);
}

void ToDo::SaveOpenLists() {
  if (!g_toDo) return;
  g_toDo->TakeEditorText();
  g_toDo->Save();
}

// --- One to-do window ---------------------------------------------------------------

ToDo::ToDo(ToDoHost& host) : host_(host), lists_(host.ToDoFiles(), host.ToDoPaths()) {
  LegacyToDoLines legacy;
  lists_.Load(legacy);
}

ToDo::~ToDo() { Destroy(); }

bool ToDo::Create(HFONT mainFont) {
  // The main font was made for the owner's DPI; kept at 96 DPI to be made
  // again for another.
  const fw::Dpi startDpi = fw::Window::DpiOf(host_.ToDoOwner());
  mainFont_ = mainFont;
  mainDpi_ = startDpi;
  if (mainFont != nullptr) {
    LOGFONTA main = {};
    GetObjectA(mainFont, sizeof main, &main);
    mainAt96_ = startDpi.UnscaleFont(main);
  }
  MakeFont(startDpi);
  {
    fw::WindowDC screen(nullptr);
    fw::ScopedSelect select(screen.Get(), font_);
    TakeScreenLayout(LayoutRows(screen.Get(), Surface::Screen));
  }

  const int frameExtra = host_.ToDoFrameExtraHeight();
  const int listHeight = store::kToDoLines * rowHeight_;
  fw::WindowParams params;
  params.title = "";
  params.style = WS_CAPTION | WS_SYSMENU;  // no sizing border, no minimise box
  const store::WindowPosition saved = store::g_settings.toDoPosition;
  if (saved.left != 0 || saved.top != 0) {
    params.x = saved.left;
    params.y = saved.top;
  } else {
    params.x = 0;
    params.y = std::max(0, GetSystemMetrics(SM_CYSCREEN) - listHeight - frameExtra - 50);
  }
  constexpr int kFrameWidthAt96 = 11;  // the frame's two edges
  params.width = rowWidth_ + startDpi.Scale(kFrameWidthAt96);
  params.height = listHeight + frameExtra;
  params.parent = host_.ToDoOwner();
  params.exStyle = WS_EX_APPWINDOW;  // a taskbar button, and Alt+Tab finds it
  if (!CreateFrame(IDI_TODO, kClassName, params)) return false;

  SetMenu(Handle(), LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TODO)));
  // The handler first: converting the menu bar measures its items.
  SetMenuHandler([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return host_.HandleMenuMessage(window, message, wParam, lParam, result);
  });
  host_.AttachMenus(Handle());
  // The window's caption and menu bar take more room than the main
  // window's frame: it is sized to hold all 22 rows, on the work area.
  FitFrameToRows();
  fw::FitIntoWorkArea(Handle(), host_.ToDoOwner());
  SetWindowTextA(Handle(), store::ToDoTitle(currentList_));
  ShowWindow(Handle(), SW_SHOW);
  PlaceEditor(0);
  SetTimer(Handle(), kSaveTimer, kSaveIntervalMs, nullptr);
  return true;
}

void ToDo::FollowMainFont(HFONT mainFont) {
  if (ownFont_ || mainFont == nullptr) return;  // drawn with the day-planner font
  font_ = mainFont;
  FitFrameToRows();
  fw::FitIntoWorkArea(Handle(), host_.ToDoOwner());
  if (editor_ != nullptr && selectedRow_ >= 0) {
    // Moved rather than made anew: the focus stays where the user is.
    const store::ToDoRect& r = rows_[static_cast<size_t>(selectedRow_)];
    SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowPos(editor_, nullptr, r.left + 2, r.top + 2, r.right - r.left, r.bottom - r.top - 2,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ToDo::Save() { ReportFailedSaves(lists_.SaveAll(), false); }

void ToDo::SaveChanged() { ReportFailedSaves(lists_.SaveChanged(), true); }

void ToDo::ReportFailedSaves(const std::vector<std::string>& failed, bool onceEach) {
  if (failed.empty()) reportedFailures_.clear();
  for (const std::string& path : failed) {
    // The regular save tells of a file once, not every minute.
    if (onceEach && !reportedFailures_.insert(path).second) continue;
    host_.ToDoPrompter().Show(
        host_.ToDoOwner(),
        "Lumetta had a problem saving your to-do list, unable to open file: " + path, MB_OK);
  }
}

void ToDo::MakeFont(fw::Dpi dpi) {
  const store::FontDescription& planner = store::g_settings.plannerFont;
  if (planner.height != 0) {
    ownFont_ = views::MakeScaledFont(views::SavedFontDescription(planner), dpi);
  } else if (mainFont_ != nullptr && dpi != mainDpi_) {
    ownFont_ = views::MakeScaledFont(mainAt96_, dpi);
  } else {
    ownFont_.Reset();
  }
  font_ = ownFont_ ? ownFont_.Get() : mainFont_;
}

void ToDo::OnDpiChanged() {
  const bool editing = editor_ != nullptr;
  if (editing) TakeEditorText();
  MakeFont(WindowDpi());
  FitFrameToRows();
  if (editing && selectedRow_ >= 0) PlaceEditor(selectedRow_);
}

void ToDo::FitFrameToRows() {
  const auto layOut = [this] {
    {
      fw::WindowDC dc(Handle());
      fw::ScopedSelect select(dc.Get(), font_);
      TakeScreenLayout(LayoutRows(dc.Get(), Surface::Screen));
    }
    // Twice: at the new width the menu bar may take fewer lines.
    for (int pass = 0; pass < 2; ++pass) {
      const SIZE frame = FrameForRows();
      SetWindowPos(Handle(), nullptr, 0, 0, frame.cx, frame.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  };
  layOut();
  // Every row shows whole: where the frame would be taller than the work
  // area, the rows shrink with a smaller font, down to a readable size.
  constexpr int kSmallestTextHeight = 9;
  RECT outer = {};
  GetWindowRect(Handle(), &outer);
  const RECT work = fw::WorkAreaFor(outer, host_.ToDoOwner());
  const int workHeight = work.bottom - work.top;
  int textHeight = rowHeight_ - 4;
  for (SIZE frame = FrameForRows(); frame.cy > workHeight; frame = FrameForRows()) {
    LOGFONTA description = {};
    if (GetObjectA(font_, sizeof description, &description) == 0) break;
    // The missing pixels spread over the rows, at least one a step.
    const int extra = frame.cy - workHeight;
    textHeight -= std::max(1, (extra + store::kToDoLines - 1) / store::kToDoLines);
    if (textHeight < kSmallestTextHeight) break;
    description.lfHeight = -textHeight;
    description.lfWidth = 0;
    fw::Font fitted(CreateFontIndirectA(&description));
    if (!fitted) break;
    fittedFont_ = std::move(fitted);  // the old copy is no longer selected anywhere
    font_ = fittedFont_.Get();
    layOut();
  }
}

SIZE ToDo::FrameForRows() const {
  RECT outer = {};
  RECT client = {};
  GetWindowRect(Handle(), &outer);
  GetClientRect(Handle(), &client);
  return SIZE{rowWidth_ + (outer.right - outer.left) - client.right,
              store::kToDoLines * rowHeight_ + (outer.bottom - outer.top) - client.bottom};
}

// --- Rows and the editor -----------------------------------------------------------

void ToDo::TakeScreenLayout(const Rows& rows) {
  rowWidth_ = rows.width;
  rowHeight_ = rows.height;
  rows_ = rows.rects;
  for (int list = 0; list < store::kToDoListCount; ++list) {
    store::ToDoList& lines = lists_.List(list);
    for (size_t i = 0; i < lines.size(); ++i) lines[i].row = rows_[i];
  }
}

void ToDo::PlaceEditor(int row) {
  RemoveEditor();
  selectedRow_ = row;
  const store::ToDoRect& r = rows_[static_cast<size_t>(row)];
  const std::string& text = lists_.List(currentList_)[static_cast<size_t>(row)].text;
  editor_ = CreateWindowExA(
      0, "EDIT", text.c_str(), WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)), GetModuleHandleA(nullptr), nullptr);
  if (editor_ == nullptr) return;
  if (font_ != nullptr) SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowPos(editor_, HWND_TOP, r.left + 2, r.top + 2, r.right - r.left, r.bottom - r.top - 2,
               SWP_SHOWWINDOW);
  SetFocus(editor_);
  // What a record keeps, so that what the line shows is what is stored.
  SendMessageA(editor_, EM_LIMITTEXT, store::kToDoTextChars, 0);
}

void ToDo::RemoveEditor() {
  HWND editor = editor_;
  editor_ = nullptr;
  if (editor != nullptr && IsWindow(editor)) DestroyWindow(editor);
}

void ToDo::TakeEditorText() {
  if (editor_ == nullptr || selectedRow_ < 0 || !IsWindow(editor_)) return;
  std::string text = fw::WindowText(editor_);
  if (text.size() > store::kToDoTextChars) text.resize(store::kToDoTextChars);
  lists_.List(currentList_)[static_cast<size_t>(selectedRow_)].text = text;
}

void ToDo::SelectRow(int row) {
  if (row < 0 || row > kLastRow) return;
  PlaceEditor(row);
}

void ToDo::SelectList(int list) {
  if (list == currentList_ || list < 0 || list >= store::kToDoListCount) return;
  currentList_ = list;
  SetWindowTextA(Handle(), store::ToDoTitle(list));
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceEditor(selectedRow_);
}

int ToDo::RowAt(POINT point) const {
  // Edges included: on the border of two rows the upper one wins.
  for (int i = 0; i <= kLastRow; ++i) {
    const store::ToDoRect& r = rows_[static_cast<size_t>(i)];
    if (point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom) {
      return i;
    }
  }
  return -1;
}

void ToDo::DeleteLine() {
  if (editor_ == nullptr) return;
  // The change notification then empties the line.
  SendMessageA(editor_, EM_SETSEL, 0, -1);
  SendMessageA(editor_, WM_CUT, 0, 0);
}

void ToDo::CopyToClipboard() {
  SetClipboardText(Handle(), store::ToDoClipboardText(currentList_, lists_.List(currentList_)));
}

void ToDo::EditorCommand(UINT message) {
  if (editor_ == nullptr) return;
  if (message == EM_SETSEL) {
    SendMessageA(editor_, EM_SETSEL, 0, -1);
  } else {
    SendMessageA(editor_, message, 0, 0);
  }
}

bool ToDo::EditorCanUndo() const {
  return editor_ != nullptr && SendMessageA(editor_, EM_CANUNDO, 0, 0) != 0;
}

bool ToDo::EditorHasSelection() const {
  if (editor_ == nullptr) return false;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(editor_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return end > start;
}

void ToDo::CloseByEscape() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void ToDo::Print() {
  views::CLumettaView* monthView = views::CLumettaView::Current();
  if (monthView == nullptr) return;
  monthView->PrintFrom(views::PrintSourceKind::ToDo, *this);
  SetActiveWindow(Handle());
}

// --- Commands -------------------------------------------------------------------

bool ToDo::IsCommandEnabled(UINT id) const {
  switch (id) {
    case ID_TODO_COPY_TO_CLIPBOARD:
    case ID_TODO_DELETE:
    case ID_DELETE:
    case ID_CLOSE:
    case ID_TODO_PERSONAL:
    case ID_TODO_WORK:
    case ID_TODO_OTHER:
    case ID_QUICK_HINTS:
      return true;
    case ID_EDIT_UNDO:
      return EditorCanUndo();
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
      return EditorHasSelection();
    case ID_EDIT_PASTE:
      return editor_ != nullptr;
    case ID_EDIT_SELECT_ALL:
      return editor_ != nullptr && GetWindowTextLengthA(editor_) > 0;
    case ID_SCHEDULE:
      return true;
    case ID_PRINT:
      // Pages are printed by the month view's print job.
      return views::CLumettaView::Current() != nullptr;
    default:
      return false;
  }
}

bool ToDo::OnCommand(UINT id, UINT notifyCode, HWND) {
  switch (id) {
    case kEditorId:
      if (notifyCode == EN_CHANGE) TakeEditorText();
      return true;
    case ID_TODO_COPY_TO_CLIPBOARD:
      CopyToClipboard();
      return true;
    case ID_TODO_DELETE:
    case ID_DELETE:
      DeleteLine();
      return true;
    case ID_CLOSE:
      CloseByEscape();
      return true;
    case ID_TODO_PERSONAL:
      SelectList(0);
      return true;
    case ID_TODO_WORK:
      SelectList(1);
      return true;
    case ID_TODO_OTHER:
      SelectList(2);
      return true;
    case ID_EDIT_UNDO:
      EditorCommand(WM_UNDO);
      return true;
    case ID_EDIT_CUT:
      EditorCommand(WM_CUT);
      return true;
    case ID_EDIT_COPY:
      EditorCommand(WM_COPY);
      return true;
    case ID_EDIT_PASTE:
      EditorCommand(WM_PASTE);
      return true;
    case ID_EDIT_SELECT_ALL:
      EditorCommand(EM_SETSEL);
      return true;
    case ID_QUICK_HINTS: {
      ToDoHelp hints(host_.ToDoPrompter());
      hints.DoModal(Handle());
      return true;
    }
    case ID_SCHEDULE:
      ScheduleEntry();
      return true;
    case ID_PRINT:
      Print();
      return true;
    default:
      return false;
  }
}

// --- Messages -------------------------------------------------------------------

bool ToDo::PreTranslateMessage(MSG& msg) {
  // The editor is a plain edit control: its navigation keys come here
  // before they are translated, and get no default handling.
  if (msg.message != WM_KEYDOWN || editor_ == nullptr || msg.hwnd != editor_) return false;
  switch (msg.wParam) {
    case VK_TAB:
    case VK_RETURN:
    case VK_DOWN:
      if (selectedRow_ < kLastRow) PlaceEditor(selectedRow_ + 1);
      return true;
    case VK_UP:
      if (selectedRow_ > 0) PlaceEditor(selectedRow_ - 1);
      return true;
    case VK_ESCAPE:
      CloseByEscape();
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    default:
      return false;
  }
}

LRESULT ToDo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Disabled while its print dialog or job runs: a close request or a menu
  // command that still arrives (posted) is dropped.
  if ((message == WM_CLOSE || (message == WM_COMMAND && lParam == 0)) &&
      !IsWindowEnabled(Handle())) {
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      fw::PaintDC dc(Handle());
      if (dc) DrawLists(dc.Get(), font_, Surface::Screen);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_TIMER:
      if (wParam == kSaveTimer) {
        TakeEditorText();
        SaveChanged();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN: {
      const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      SelectRow(RowAt(point));
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) CloseByEscape();
      break;
    case WM_SETFOCUS:
      if (editor_ != nullptr) {
        SetFocus(editor_);
        return 0;
      }
      break;
    case WM_MOVE: {
      const LRESULT result = FrameWindow::HandleMessage(message, wParam, lParam);
      RECT window = {};
      GetWindowRect(Handle(), &window);
      store::g_settings.toDoPosition = {window.left, window.top};
      return result;
    }
    case WM_CLOSE:
      if (g_toDo.get() == this) {
        CloseToDo();  // writes the lists; this object is gone afterwards
        return 0;
      }
      break;
    default:
      break;
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

void ToDo::OnDestroy() {
  // Children still exist here: the editor's text goes into its line first.
  TakeEditorText();
  editor_ = nullptr;
  KillTimer(Handle(), kSaveTimer);
  Save();
  host_.ToDoClosed();
}

void ToDo::OnFinalMessage() {
  // Destroyed by Windows (with its owner): the object goes as well.
  if (g_toDo.get() == this) {
    std::unique_ptr<ToDo> doomed = std::move(g_toDo);
  }
}

}  // namespace todo
