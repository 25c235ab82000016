// Scheduling the selected to-do line into the day planner: the dialog
// proposes the first free half-hour slot from now; the entry goes into the
// first free slot from the chosen time, after what is being typed in an
// open planner of that day has been committed.
#include <string>

#include "framework/Prompter.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "store/AppointmentBook.h"
#include "store/ScheduleSlots.h"
#include "todo/ScheduleDialog.h"
#include "todo/ToDo.h"
#include "todo/ToDoHost.h"

namespace todo {
namespace {

constexpr const char* kSelectLineMessage = "Please first select a non-empty entry.";

planner::AppointBook2* PlannerOf(store::Moment slot) {
  const store::CalendarFields at = store::LocalFields(slot);
  return planner::FindDayPlanner(at.year, at.month, at.day);
}

}  // namespace

bool ToDo::ScheduledSlot(store::Moment date, store::Moment time, store::Moment& slot) {
  const store::CalendarFields day = store::LocalFields(date);
  const store::CalendarFields clock = store::LocalFields(time);
  if (!store::TryMakeTime(day.year, day.month, day.day, clock.hour, clock.minute, slot)) {
    return false;
  }
  store::All_Appointments& book = host_.ToDoBook();
  slot = store::FindFreeSlot(book, slot);
  // A commit may take the slot just found (or, after a full day, the next
  // day's planner may be open too): look again until no editor is open there.
  for (planner::AppointBook2* open = PlannerOf(slot);
       open != nullptr && open->SlotEditor() != nullptr; open = PlannerOf(slot)) {
    open->CloseSlotEditor();
    slot = store::FindFreeSlot(book, slot);
  }
  return true;
}

void ToDo::ScheduleEntry() {
  if (selectedRow_ < 0) return;
  TakeEditorText();
  store::ToDoLine& line = lists_.List(currentList_)[static_cast<size_t>(selectedRow_)];
  fw::Prompter& prompter = host_.ToDoPrompter();
  if (line.text.empty()) {
    prompter.Show(Handle(), kSelectLineMessage, MB_OK | MB_ICONINFORMATION);
    return;
  }
  store::All_Appointments& book = host_.ToDoBook();
  const store::Moment proposed =
      store::FindFreeSlot(book, store::RoundUpToSlot(book.context().clock.Now()).time);
  ScheduleDialog dialog(prompter, "Scheduling " + line.text, proposed);
  if (dialog.DoModal(Handle()) != IDOK) return;

  store::Moment slot = 0;
  if (!ScheduledSlot(dialog.Date(), dialog.Time(), slot)) return;
  const store::CalendarFields at = store::LocalFields(slot);
  store::An_Appointment& entry = book.Create();
  entry.SetSlot(at.year, at.month, at.day, at.hour, at.minute, line.text);
  try {
    entry.ArmReminder();
  } catch (const store::CalendarError&) {
    // A slot made from a moment always converts back; nothing to arm otherwise.
  }
  book.Sort();

  if (dialog.RemoveAfterScheduling()) {
    line.text.clear();
    if (editor_ != nullptr) SetWindowTextA(editor_, "");
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  if (planner::AppointBook2* open = PlannerOf(slot)) InvalidateRect(open->Handle(), nullptr, TRUE);
  host_.ToDoScheduled();
}

}  // namespace todo
