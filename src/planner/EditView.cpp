#include "planner/EditView.h"

#include <memory>

#include "framework/PaintDC.h"
#include "framework/Prompter.h"
#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/WindowText.h"
#include "planner/NotesHost.h"
#include "planner/NotesOwner.h"
#include "planner/NotesText.h"
#include "resource.h"
#include "store/DayNotesFiles.h"
#include "store/ProgramState.h"
#include "views/NotesFiles.h"
#include "platform/ScreenColours.h"

namespace planner {
namespace {

// The program's one notes window, and the program it lives in (program-wide:
// the planners reach the notes through EditView's static operations).
std::unique_ptr<EditView> g_notes;
NotesHost* g_host = nullptr;

}  // namespace

// --- The program's notes window -------------------------------------------------

void EditView::SetHost(NotesHost* host) { g_host = host; }

EditView* EditView::Current() { return g_notes.get(); }

EditView* EditView::OpenAbove(NotesOwner& planner) {
  if (g_host == nullptr) return nullptr;
  // The strip just above the planner: as wide as it, six text lines less
  // 16 pixels high, ending at its top edge.
  RECT area = planner.NotesAnchorRect();
  area.bottom = area.top;
  area.top = area.top - 6 * planner.NotesTextHeight() + 16;

  auto view = std::make_unique<EditView>();
  if (!view->Open(*g_host, area, planner.NotesFont())) return nullptr;
  g_notes = std::move(view);
  g_notes->LoadNotes(planner.NotesYear(), planner.NotesMonth(), planner.NotesDay());
  ShowWindow(g_notes->Handle(), SW_SHOWNA);
  UpdateWindow(g_notes->Handle());
  return g_notes.get();
}

void EditView::FollowNotes(NotesOwner& planner) {
  if (g_notes) {
    g_notes->TakeEditorText();
    g_notes->Save();
    g_notes->LoadNotes(planner.NotesYear(), planner.NotesMonth(), planner.NotesDay());
  } else if (g_host != nullptr &&
             views::NotesFileExists(g_host->NotesFolder(), planner.NotesYear(),
                                    planner.NotesMonth(), planner.NotesDay())) {
    OpenAbove(planner);
  }
  if (g_notes) g_notes->owner_ = &planner;
}

void EditView::OpenNotesForEditing(NotesOwner& planner) {
  if (g_notes) {
    CloseNotes();
    return;
  }
  EditView* view = OpenAbove(planner);
  if (view == nullptr) return;
  view->owner_ = &planner;
  view->EditNotes();
}

void EditView::CloseNotes() {
  // Taken out of the program-wide reference first, so that nothing reaches
  // the window while it is destroyed; its destruction saves the notes.
  std::unique_ptr<EditView> doomed = std::move(g_notes);
}

void EditView::EndNotesEditing() {
  if (!g_notes || g_notes->editor_ == nullptr) return;
  g_notes->TakeEditorText();
  InvalidateRect(g_notes->Handle(), nullptr, TRUE);
}

bool EditView::IsBeingEdited() {
  return g_notes && g_notes->editor_ != nullptr && IsWindow(g_notes->editor_);
}

void EditView::ForgetOwner(const NotesOwner& planner) {
  if (g_notes && g_notes->owner_ == &planner) g_notes->owner_ = nullptr;
}

void EditView::SaveOpenNotes() {
  if (!g_notes) return;
  if (IsBeingEdited()) g_notes->text_ = fw::WindowText(g_notes->editor_);
  g_notes->Save();
}

void EditView::ReloadOpenNotes() {
  if (!g_notes || g_notes->files_ == nullptr || g_notes->path_.empty()) return;
  std::string loaded;
  if (!ReadNotesFile(*g_notes->files_, g_notes->path_, loaded)) return;
  g_notes->text_ = loaded;
  g_notes->loadedText_ = loaded;
  if (IsBeingEdited()) SetWindowTextA(g_notes->editor_, loaded.c_str());
  InvalidateRect(g_notes->Handle(), nullptr, TRUE);
}

// --- One notes window -------------------------------------------------------------

EditView::~EditView() { Destroy(); }

void EditView::PlannerFontChanged(const NotesOwner& planner) {
  if (g_notes && g_notes->owner_ == &planner) g_notes->OnDpiChanged();
}

void EditView::FitToFrame(const RECT& area) {
  // The frame's border and caption, at 96 DPI.
  constexpr int kFrameWidthAt96 = 5;
  constexpr int kFrameHeightAt96 = 30;
  w_ = (area.right - area.left) - WindowDpi().Scale(kFrameWidthAt96);
  h_ = (area.bottom - area.top) - WindowDpi().Scale(kFrameHeightAt96);
}

void EditView::OnDpiChanged() {
  if (owner_ != nullptr) font_ = owner_->NotesFont();
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  FitToFrame(frame);
  if (editor_ != nullptr && IsWindow(editor_)) {
    SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SetWindowPos(editor_, nullptr, 3, 3, w_ - 7, h_, SWP_NOZORDER);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool EditView::Open(NotesHost& host, const RECT& area, HFONT font) {
  FitToFrame(area);
  folder_ = host.NotesFolder();
  files_ = &host.NotesFiles();
  prompter_ = &host.NotesPrompter();
  ownerWindow_ = host.NotesWindowOwner();
  font_ = font;
  text_ = kNotesPlaceholder;

  fw::WindowParams params;
  params.title = "";
  params.style = WS_CAPTION;  // a caption, but no system menu and so no close box
  params.x = area.left;
  params.y = area.top;
  params.width = area.right - area.left;
  params.height = area.bottom - area.top;
  params.parent = host.NotesWindowOwner();
  return CreateFrame(IDI_SMALL, kClassName, params);
}

void EditView::LoadNotes(int year, int month, int day) {
  path_ = folder_.empty() ? std::string()
                          : store::DayNotesPath(folder_, store::CivilDate{year, month, day});
  title_ = NotesTitle(year, month, day, store::g_settings.europeanCalendar != 0);
  if (editor_ != nullptr) {
    if (IsWindow(editor_)) DestroyWindow(editor_);
    editor_ = nullptr;
  }
  std::string loaded;
  if (files_ != nullptr && !path_.empty()) ReadNotesFile(*files_, path_, loaded);
  text_ = loaded;  // a file that cannot be read shows as no notes
  loadedText_ = loaded;
  // Notes an earlier save could not write come back, and go to the file
  // at the next save.
  std::string kept;
  if (files_ != nullptr && !path_.empty() && ReadNotesFile(*files_, NotesSidePath(path_), kept)) {
    text_ = kept;
  }
  SetWindowTextA(Handle(), title_.c_str());
  InvalidateRect(Handle(), nullptr, TRUE);
}

void EditView::TakeEditorText() {
  if (editor_ == nullptr) return;
  if (IsWindow(editor_)) {
    text_ = fw::WindowText(editor_);
    DestroyWindow(editor_);
  }
  editor_ = nullptr;
}

void EditView::Save() {
  // Notes as they were read need no writing; this also keeps a file that
  // could not be read from being replaced by the empty text shown for it.
  if (files_ == nullptr || path_.empty() || text_ == loadedText_) return;
  const NotesSaved saved = SaveNotes(*files_, path_, text_);
  if (saved == NotesSaved::kInFile) {
    loadedText_ = text_;
    return;
  }
  if (prompter_ == nullptr) return;
  std::string message = "The notes could not be saved in " + path_ + ".";
  if (saved == NotesSaved::kInSideFile) {
    loadedText_ = text_;  // kept: the side file is read again with the day
    message += "\n\nThey were kept in " + NotesSidePath(path_) +
               " and come back when the notes for that day are opened.";
  } else {
    message += "\n\nThey could not be kept beside it either: copy them before closing Lumetta.";
  }
  prompter_->Show(ownerWindow_, message, MB_OK | MB_ICONWARNING);
}

void EditView::EditNotes() {
  if (editor_ != nullptr && IsWindow(editor_)) {
    SetFocus(editor_);
    return;
  }
  if (owner_ != nullptr) owner_->CommitSlotEditor();
  // Auto-scrolling, so the editor takes all it accepts even when the lines
  // run past its bottom.
  editor_ = CreateWindowExA(
      0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL, 2, 3,
      w_ - 9, h_ - 5, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
      GetModuleHandleA(nullptr), nullptr);
  if (editor_ == nullptr) return;
  SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SetWindowTextA(editor_, text_.c_str());
  SetWindowPos(editor_, nullptr, 3, 3, w_ - 7, h_, SWP_NOZORDER | SWP_SHOWWINDOW);
  // The limit holds for typing only: a longer file is shown whole.
  SendMessageA(editor_, EM_LIMITTEXT, kEditLimit, 0);
  SetFocus(editor_);
}

void EditView::CloseByEscape() {
  TakeEditorText();
  PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void EditView::Paint(HDC dc) const {
  const store::SettingsBlock settings = platform::DrawingSettings();
  fw::FillSolidRect(dc, 0, 0, w_ + 3, h_ + 3, settings.back);
  SetBkColor(dc, settings.back);
  fw::Draw3dRect(dc, 1, 1, w_ - 7, h_ - 2, settings.toplite, settings.botlite);
  fw::ScopedSelect select(dc, font_);
  SetTextColor(dc, settings.fore);
  RECT area = {7, 5, w_ - 12, h_ - 12};
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &area,
            DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
}

bool EditView::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN || editor_ == nullptr || msg.hwnd != editor_) return false;
  // The editor is a plain control: its Esc comes here before it is dispatched.
  if (msg.wParam == VK_ESCAPE) {
    CloseByEscape();
    return true;
  }
  // Its own editing keys (and Ctrl+N, Ctrl+P, which would step the month
  // behind it) reach it rather than the main window's shortcuts.
  if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    switch (msg.wParam) {
      case 'A':  // not every edit control selects all by itself
        SendMessageA(editor_, EM_SETSEL, 0, -1);
        return true;
      case 'C':
      case 'N':
      case 'P':
      case 'V':
      case 'X':
      case 'Z':
      case VK_DELETE:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return true;
      default:
        break;
    }
  }
  return false;
}

void EditView::OnDestroy() {
  // Children still exist here: the editor's text is saved with the rest.
  if (editor_ != nullptr && IsWindow(editor_)) text_ = fw::WindowText(editor_);
  editor_ = nullptr;
  Save();
}

void EditView::OnFinalMessage() {
  // Destroyed by Windows (with the main window): the object goes as well.
  if (g_notes.get() == this) {
    std::unique_ptr<EditView> doomed = std::move(g_notes);
  }
}

LRESULT EditView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (fw::HandleWholePaint(
          Handle(), message, wParam, [this](HDC dc) { Paint(dc); }, painted)) {
    return painted;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
      EditNotes();
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) CloseByEscape();
      break;
    case WM_CLOSE:
      if (g_notes.get() == this) {
        CloseNotes();  // saves; this object is gone afterwards
        return 0;
      }
      break;
    default:
      break;
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace planner
