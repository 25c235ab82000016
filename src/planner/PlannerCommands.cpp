// The commands of the planner's menu (also reached through the main
// window's shortcuts while the planner is active). Each leaves the keyboard
// with the slot editor.
#include "planner/AppointBook2.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "framework/Prompter.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "planner/DayPlanners.h"
#include "planner/DayText.h"
#include "planner/EarlyDialog.h"
#include "planner/EditHelp.h"
#include "planner/EditView.h"
#include "planner/PlannerHost.h"
#include "planner/RepeatDialog.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/ProgramState.h"
#include "store/RepeatForm.h"
#include "views/BackgroundImage.h"
#include "views/MonthView.h"

namespace planner {
namespace {

constexpr const char* kSelectEntryMessage = "Please first select a non-empty entry.";
constexpr const char* kFindNotesMessage =
    "Press OK and I will open Windows Explorer to help with your search.\nEnter search text in "
    "the \"Containing text\" field then press \"Search Now\".";
constexpr const char* kHelpFile = "Lumetta.chm";

// Set while a planner's repeat dialog is open (program-wide: the shortcuts
// can reach any planner meanwhile); Delete, Reminder and Repeats then do
// nothing.
bool g_repeatsBusy = false;

}  // namespace

bool AppointBook2::IsCommandEnabled(UINT id) const {
  const HWND editor = editor_ != nullptr ? editor_->Handle() : nullptr;
  DWORD start = 0;
  DWORD end = 0;
  if (editor != nullptr) {
    SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  switch (id) {
    case ID_PRINT:
      // Pages are printed by the month view's print job.
      return views::CLumettaView::Current() != nullptr;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
      return editor != nullptr && start < end;
    case ID_EDIT_PASTE:
      return editor != nullptr;
    case ID_EDIT_UNDO:
      return editor != nullptr && SendMessageA(editor, EM_CANUNDO, 0, 0) != 0;
    case ID_EDIT_SELECT_ALL:
      return editor != nullptr && GetWindowTextLengthA(editor) > 0;
    default:
      return true;
  }
}

bool AppointBook2::OnCommand(UINT id, UINT notifyCode, HWND) {
  if (id == EditBox::kControlId) {
    if (notifyCode == EN_CHANGE && editor_ != nullptr) slotText_ = editor_->Text();
    return true;
  }
  switch (id) {
    case ID_FIND_NOTES:
      FindNotes();
      break;
    case ID_VIEW_ALL_NOTES:
      host_.RunShellVerb(Handle(), "explore", host_.NotesFolder(), SW_SHOWNORMAL);
      break;
    case ID_COPY_TO_CLIPBOARD:
      CopyToClipboard();
      break;
    case ID_CLEAR_DAY:
      ClearDay();
      break;
    case ID_SELECT_FONT:
      SelectPlannerFont();
      break;
    case ID_PREFS_BACKGROUND:
      SelectBackground();
      break;
    case ID_PRINT:
      Print();
      break;
    case ID_CLOSE:
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      return true;
    case ID_REMINDER:
      Reminder();
      break;
    case ID_REPEATS:
      Repeats();
      break;
    case ID_COLOR:
      Color();
      break;
    case ID_DELETE:
      DeleteCommand();
      break;
    case ID_EDIT_UNDO:
      EditCommand(EM_UNDO);
      break;
    case ID_EDIT_CUT:
      EditCommand(WM_CUT);
      break;
    case ID_EDIT_COPY:
      EditCommand(WM_COPY);
      break;
    case ID_EDIT_PASTE:
      EditCommand(WM_PASTE);
      break;
    case ID_EDIT_SELECT_ALL:
      SelectAll();
      break;
    case ID_NOTES:
      Notes();
      break;
    case ID_PREVIOUS:
      StepDay(Step::Previous);
      break;
    case ID_NEXT:
      StepDay(Step::Next);
      break;
    case ID_PLANNER_HELP_TOPICS:
      host_.RunShellVerb(Handle(), nullptr, kHelpFile, SW_SHOWNORMAL);
      break;
    case ID_QUICK_HINTS:
      QuickHints();
      break;
    default:
      return false;
  }
  // Unless the command handed the keyboard to another window (Next into
  // an open planner), it stays with the slot editor.
  if (GetActiveWindow() == Handle()) FocusEditor();
  return true;
}

// Whether the selected slot has an entry to work on, creating it from typed
// text that was not yet committed. Tells the user when the slot is empty.
bool AppointBook2::EntryCheck() {
  if (editor_ == nullptr) {
    host_.Prompter().Show(Handle(), kSelectEntryMessage, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  if (editor_->Text().empty()) {
    host_.Prompter().Show(Handle(), kSelectEntryMessage, MB_OK | MB_ICONINFORMATION);
    FocusEditor();
    return false;
  }
  if (SelectedEntry() == nullptr) CommitSlot();
  return SelectedEntry() != nullptr;
}

void AppointBook2::CopyToClipboard() {
  // What the slot editor shows is what the day holds: a new text, or an
  // entry being retyped.
  if (editor_ != nullptr) CommitSlot();
  const store::SettingsBlock& settings = store::g_settings;
  clipboardText_ = BuildDayText(host_.Book(), year_, month_, day_, settings.europeanCalendar != 0,
                                settings.militaryTime != 0);
  if (!OpenClipboard(Handle())) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, clipboardText_.size() + 1);
  if (memory != nullptr) {
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, clipboardText_.c_str(), clipboardText_.size() + 1);
      GlobalUnlock(memory);
      if (SetClipboardData(CF_TEXT, memory) == nullptr) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

void AppointBook2::ClearDay() {
  char question[160];
  std::snprintf(question, sizeof question, "%s %s %d, %d?",
                "Are you sure you wish to delete all day planner entries for",
                store::MonthName(month_), day_, year_);
  if (host_.Prompter().Show(Handle(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!Exists()) return;  // closed while the question was open
  CloseSlotEditor();      // what was typed is committed before the day goes
  host_.Book().DeleteDay(year_, month_, day_);
  RepaintPlanner(true);
  host_.CalendarViewsChanged();
}

void AppointBook2::SelectPlannerFont() {
  LOGFONTA description = {};
  if (font_) GetObjectA(font_.Get(), sizeof description, &description);
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Handle();
  choose.lpLogFont = &description;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  EnableWindow(Handle(), FALSE);
  const BOOL chosen = ChooseFontA(&choose);
  if (!Exists()) return;  // closed while the dialog was open
  EnableWindow(Handle(), TRUE);
  if (!chosen) return;

  CloseSlotEditor();
  font_.Reset(CreateFontIndirectA(&description));
  // The dialog showed and chose the size on this screen; it is kept at 96 DPI.
  const LOGFONTA at96 = WindowDpi().UnscaleFont(description);
  static_assert(sizeof at96 == sizeof store::g_settings.plannerFont, "same record");
  std::memcpy(&store::g_settings.plannerFont, &at96, sizeof at96);
  FitToFont();
}

void AppointBook2::SelectBackground() {
  views::BackgroundChoice choice = views::SelectBackgroundImage(
      Handle(), views::BackgroundFor::DayPlanner, PlannerBackgroundImage(), host_.Prompter());
  if (choice.changed) ReplacePlannerBackgroundImage(choice.image.Release());
  RepaintPlanner(false);
}

void AppointBook2::Reminder() {
  if (g_repeatsBusy) return;
  if (!EntryCheck()) {
    g_repeatsBusy = false;
    return;
  }
  store::An_Appointment& entry = *SelectedEntry();
  CEarlyDialog dialog(host_.Prompter());
  dialog.enabled = entry.reminderOn != 0;
  dialog.minutesEarly = entry.reminderMinutes;
  dialog.dayBefore = entry.dayBefore != 0;
  dialog.noHighlight = entry.noHighlight != 0;
  if (dialog.minutesEarly == -1) {
    dialog.enabled = false;
    dialog.minutesEarly = 0;
  }
  struct Given {
    bool enabled;
    int minutes;
    bool dayBefore;
    bool noHighlight;
  } const given{dialog.enabled, dialog.minutesEarly, dialog.dayBefore, dialog.noHighlight};
  dialog.militaryTime = store::g_settings.militaryTime != 0;
  dialog.text = slotText_;
  dialog.hour = firstHour_ + selectedRow_;
  dialog.minute = selectedHalf_ == kOnTheHour ? 0 : 30;
  dialog.DoModal(Handle());  // after Cancel the values read back so far count
  if (!Exists()) return;     // closed while the dialog was open

  store::An_Appointment* after = SelectedEntry();
  if (after == nullptr) return;  // removed meanwhile by another window
  const int newMinutes = dialog.enabled ? dialog.minutesEarly : -1;
  if (newMinutes != given.minutes || dialog.enabled != given.enabled ||
      dialog.dayBefore != given.dayBefore || dialog.noHighlight != given.noHighlight) {
    after->reminderMinutes = newMinutes;
    after->dayBefore = dialog.dayBefore ? 1 : 0;
    after->noHighlight = dialog.noHighlight ? 1 : 0;
    after->reminderOn = dialog.enabled ? 1 : 0;
    try {
      after->ArmReminder();
    } catch (const store::CalendarError&) {
    }
    host_.CalendarViewsChanged();
  }
  SetActiveWindow(Handle());
}

void AppointBook2::Repeats() {
  if (g_repeatsBusy) return;
  if (!EntryCheck()) return;
  store::RepeatFormInput input = store::RepeatFormInput::From(*SelectedEntry());
  input.year = year_;
  input.month = month_;
  input.day = day_;
  input.text = editor_->Text();

  g_repeatsBusy = true;
  host_.EnableMonthView(false);
  EnableWindow(Handle(), FALSE);
  // The entry is looked up again when the dialog has closed: meanwhile
  // another planner may have deleted it (or its whole series), or this
  // planner may have been closed.
  const bool applied = RunRepeatDialog(
      Handle(), [this] { return Exists() ? SelectedEntry() : nullptr; }, input,
      store::g_settings.militaryTime != 0, host_.Prompter());
  g_repeatsBusy = false;
  host_.EnableMonthView(true);
  if (!Exists()) return;
  EnableWindow(Handle(), TRUE);
  SetActiveWindow(Handle());
  if (applied) {
    RepaintPlanner(false);
    host_.CalendarViewsChanged();
  }
}

void AppointBook2::Color() {
  if (editor_ == nullptr) return;
  const std::string text = editor_->Text();
  SendMessageA(editor_->Handle(), EM_SETMODIFY, FALSE, 0);
  if (text.empty()) {
    host_.Prompter().Show(Handle(), kSelectEntryMessage, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (SelectedEntry() == nullptr) CommitSlot();
  store::An_Appointment* entry = SelectedEntry();
  if (entry == nullptr) return;
  const store::SettingsBlock& s = store::g_settings;
  COLORREF custom[16] = {s.fore,     s.back,    s.currentday, s.hasappoint, s.dayplan1,
                         s.dayplan2, s.toplite, s.botlite,    entry->colour};
  for (int i = 9; i < 16; ++i) custom[i] = RGB(255, 255, 255);
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Handle();
  choose.lpCustColors = custom;
  if (!ChooseColorA(&choose) || !Exists()) return;
  if ((entry = SelectedEntry()) == nullptr) return;
  entry->colour = choose.rgbResult;
  if (editor_ != nullptr) InvalidateRect(editor_->Handle(), nullptr, TRUE);
}

void AppointBook2::DeleteCommand() {
  if (g_repeatsBusy || editor_ == nullptr) return;
  if (GetWindowTextLengthA(editor_->Handle()) > 0) {
    // The text goes to the clipboard; the emptied slot loses its entry at
    // the commit.
    SendMessageA(editor_->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(editor_->Handle(), WM_CUT, 0, 0);
  }
}

void AppointBook2::EditCommand(UINT message) {
  if (editor_ != nullptr) SendMessageA(editor_->Handle(), message, 0, 0);
}

void AppointBook2::SelectAll() {
  if (editor_ == nullptr) return;
  SendMessageA(editor_->Handle(), EM_SETSEL, 0, -1);
  SendMessageA(editor_->Handle(), EM_SCROLLCARET, 0, 0);
}

void AppointBook2::Notes() {
  // An open notes window closes (saving); then the slot editor takes the
  // keyboard back on the top slot.
  EditView::OpenNotesForEditing(*this);
  if (!EditView::IsBeingEdited()) OpenSlotEditor(0, kOnTheHour);
}

void AppointBook2::FindNotes() {
  if (host_.Prompter().Show(Handle(), kFindNotesMessage, MB_OKCANCEL | MB_ICONINFORMATION) !=
          IDOK ||
      !Exists()) {
    return;
  }
  host_.RunShellVerb(Handle(), "find", host_.NotesFolder(), SW_HIDE);
}

void AppointBook2::QuickHints() {
  EditHelp hints(host_.Prompter(), false);
  hints.DoModal(Handle());
  if (Exists()) SetActiveWindow(Handle());
}

// One page through the month view's print job, which disables this window
// while the page is drawn; then the keyboard is back with the slot editor.
void AppointBook2::Print() {
  views::CLumettaView* monthView = views::CLumettaView::Current();
  if (monthView == nullptr) return;
  monthView->PrintFrom(views::PrintSourceKind::DayPlanner, *this);
  if (Exists()) SetActiveWindow(Handle());
}

}  // namespace planner
