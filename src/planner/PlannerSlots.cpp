// Selecting slots, committing the slot editor's text into the book,
// scrolling and stepping to another day.
#include "planner/AppointBook2.h"

#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "planner/PlannerHost.h"
#include "platform/ScreenColours.h"
#include "store/AppointmentBook.h"
#include "store/DataFile.h"
#include "store/ProgramState.h"
#include "store/Repeats.h"

namespace planner {
namespace {

int MinuteOf(int half) { return half == kOnTheHour ? 0 : 30; }

bool OnlySpaces(const std::string& text) {
  return !text.empty() && text.find_first_not_of(' ') == std::string::npos;
}

// An entry whose key cannot be held in a moment keeps no timer; the
// planner's dates always convert, so this is a guard, not a path.
void Arm(store::An_Appointment& entry) {
  try {
    entry.ArmReminder();
  } catch (const store::CalendarError&) {
  }
}

}  // namespace

store::An_Appointment* AppointBook2::SelectedEntry() const {
  if (selectedRow_ < 0) return nullptr;
  return host_.Book().FindAt(year_, month_, day_, firstHour_ + selectedRow_,
                             MinuteOf(selectedHalf_));
}

COLORREF AppointBook2::EditorTextColour() {
  // Looked up afresh: another window may have removed the entry meanwhile.
  const store::An_Appointment* entry = SelectedEntry();
  return platform::EntryColour(entry != nullptr ? entry->colour : store::g_settings.fore);
}

void AppointBook2::OpenSlotEditor(int row, int half) {
  CloseSlotEditor();
  selectedRow_ = row;
  selectedHalf_ = half;
  auto editor = std::make_unique<EditBox>(*this);
  // What the record keeps is what the editor takes: nothing vanishes later.
  if (!editor->Create(Handle(), store::kTextChars)) return;
  const store::An_Appointment* entry = SelectedEntry();
  slotText_ = entry != nullptr ? entry->text : std::string();
  editor_ = std::move(editor);
  editor_->SetText(slotText_);
  slotText_ = editor_->Text();
  const RECT& slot = layout_.Slot(row, half);
  // A subscribed calendar's text at the slot's end stays in view, and out of the editor's reach.
  editor_->Show(RECT{slot.left + layout_.editorLeft, slot.top + layout_.textTop,
                     slot.right - SubscribedWidth(row, half), slot.bottom});
}

void AppointBook2::CloseSlotEditor() {
  if (editor_ == nullptr) return;
  CommitSlot();
  editor_.reset();
}

void AppointBook2::EditorLost() {
  // The control went behind the planner's back (its window is being
  // destroyed): its text is committed all the same.
  CommitSlot();
}

void AppointBook2::CommitSlot() {
  if (selectedRow_ == -1) return;
  store::All_Appointments& book = host_.Book();
  const int hour = firstHour_ + selectedRow_;
  const int minute = MinuteOf(selectedHalf_);
  store::An_Appointment* entry = book.FindAt(year_, month_, day_, hour, minute);
  if (OnlySpaces(slotText_)) slotText_.clear();

  if (slotText_.empty() && entry == nullptr) return;
  if (!slotText_.empty() && entry != nullptr) {
    entry->text = slotText_;
  } else if (!slotText_.empty()) {
    CreateEntryForSlot(hour, minute);
  } else {
    DeleteSlotEntry(*entry);
  }
  book.Sort();
  host_.CalendarViewsChanged();
}

void AppointBook2::CreateEntryForSlot(int hour, int minute) {
  store::All_Appointments& book = host_.Book();
  store::An_Appointment& entry = book.Create();
  entry.SetSlot(year_, month_, day_, hour, minute, slotText_);
  Arm(entry);
  if (slotText_ == "'" || slotText_ == "\"") ApplyCopyPrevious(entry);
}

// A single quote (or double quote) copies the entry just before, when it
// lies in the same hour or the hour before; a copy reads "(continued)".
void AppointBook2::ApplyCopyPrevious(store::An_Appointment& entry) {
  store::All_Appointments& book = host_.Book();
  entry.reminderOn = 0;
  entry.reminderMinutes = 0;
  store::An_Appointment* previous = book.EntryBefore(entry);
  if (previous != nullptr &&
      (previous->hour() == entry.hour() || previous->hour() == entry.hour() - 1)) {
    std::string text = previous->text;
    if (text.find("continued") == std::string::npos) text += " (continued)";
    if (text.size() > store::kTextChars) text.resize(store::kTextChars);
    entry.text = text;
    entry.colour = previous->colour;
    entry.monthDay = previous->monthDay;
    entry.weekdayText = previous->weekdayText;
    entry.weekOrdinal = previous->weekOrdinal;
    entry.repeatKind = previous->repeatKind;
    entry.repeatUntil = previous->repeatUntil + 1800;
    slotText_ = entry.text;
    Arm(entry);
    if (entry.repeatKind != store::kRepeatNone) {
      store::ExpandRepeats(entry);
      book.Sort();
      RepaintPlanner(false);
    }
  } else {
    Arm(entry);
  }
  book.Sort();
}

void AppointBook2::DeleteSlotEntry(store::An_Appointment& entry) {
  const bool marked = entry.repeatKind != store::kRepeatNone || entry.tildeFlag != 0;
  int removed = 0;
  host_.Book().Delete(entry, true, &removed);
  if (marked || removed > 1) RepaintPlanner(false);
}

// --- Moving the selection ----------------------------------------------------------

void AppointBook2::SlotDown() {
  const int row = selectedRow_;
  if (selectedHalf_ == kOnTheHour) {
    OpenSlotEditor(row, kHalfPast);
  } else if (row == kVisibleRows - 1) {
    if (firstHour_ < kLastFirstHour) {
      ScrollHours(SB_LINEDOWN, 0);
      OpenSlotEditor(kVisibleRows - 1, kOnTheHour);
    }
  } else {
    OpenSlotEditor(row + 1, kOnTheHour);
  }
}

void AppointBook2::SlotUp() {
  const int row = selectedRow_;
  if (selectedHalf_ == kHalfPast) {
    OpenSlotEditor(row, kOnTheHour);
  } else if (row == 0) {
    if (firstHour_ > 0) {
      ScrollHours(SB_LINEUP, 0);
      OpenSlotEditor(0, kHalfPast);
    }
  } else {
    OpenSlotEditor(row - 1, kHalfPast);
  }
}

void AppointBook2::PageSlots(bool down) { ScrollHours(down ? SB_PAGEDOWN : SB_PAGEUP, 0); }

int AppointBook2::ScrolledFirstHour(int code, int position) const {
  const int f = firstHour_;
  switch (code) {
    case SB_LINEUP:
      return f > 0 ? f - 1 : f;
    case SB_LINEDOWN:
      return f < kLastFirstHour ? f + 1 : f;
    case SB_PAGEUP:
      return f <= 12 ? 0 : kFirstHourAtOpen;
    case SB_PAGEDOWN:
      return f >= kFirstHourAtOpen ? kLastFirstHour : kFirstHourAtOpen;
    case SB_THUMBPOSITION:
      // The bar's range gives 1..14 (first hours 0..13); anything else is ignored.
      return position >= 1 && position <= kLastFirstHour + 1 ? position - 1 : f;
    default:
      return f;  // SB_ENDSCROLL and the thumb's tracking among them
  }
}

void AppointBook2::ScrollHours(int code, int position) {
  const int after = ScrolledFirstHour(code, position);
  if (after == firstHour_) {
    // Nothing moves (the end of a scroll, or a page key at either end):
    // the selection keeps its editor. Should none be open, one opens on the
    // selected slot, unless a repaint is due, which selects the top slot.
    if (editor_ == nullptr && Exists() && !EditView::IsBeingEdited() &&
        !GetUpdateRect(Handle(), nullptr, FALSE)) {
      OpenSlotEditor(selectedRow_ >= 0 ? selectedRow_ : 0, selectedHalf_);
    }
    return;
  }
  CloseSlotEditor();  // committed while the slot is still where it was
  const int hourHeight = 2 * layout_.onHour[0].bottom;
  if (code == SB_LINEUP || code == SB_LINEDOWN) {
    ScrollWindowEx(Handle(), 0, (firstHour_ - after) * hourHeight, nullptr, nullptr, nullptr,
                   nullptr, 0);
  }
  firstHour_ = after;
  SetScrollPos(Handle(), SB_VERT, firstHour_ + 1, TRUE);
  RepaintPlanner(false);
}

void AppointBook2::StepDay(Step direction) {
  store::Moment at = 0;
  if (!store::TryMakeTime(year_, month_, day_, 1, 1, at)) return;
  at += 1 + (direction == Step::Next ? 86400 : -86400);
  store::CalendarFields date;
  if (!store::LocalFields(at, date)) return;
  if (AppointBook2* open = FindDayPlanner(date.year, date.month, date.day)) {
    if (open != this && open->Exists()) {
      SetActiveWindow(open->Handle());
      ShowWindow(open->Handle(), SW_RESTORE);
    }
    return;
  }
  CloseSlotEditor();
  year_ = date.year;
  month_ = date.month;
  day_ = date.day;
  SetWindowTextA(Handle(), TitleFor(year_, month_, day_).c_str());
  RepaintPlanner(false);
  EditView::FollowNotes(*this);
}

void AppointBook2::RepaintPlanner(bool erase) {
  if (Exists()) InvalidateRect(Handle(), nullptr, erase ? TRUE : FALSE);
}

}  // namespace planner
