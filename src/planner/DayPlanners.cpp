#include "planner/DayPlanners.h"

#include <algorithm>
#include <array>
#include <vector>

#include "planner/AppointBook2.h"
#include "store/ProgramState.h"
#include "platform/BackgroundImages.h"

namespace planner {
namespace {

struct PlannerTable {
  std::array<AppointBook2*, kOpenPlannerEntries> entries{};
  // Every planner object whose window has not yet gone, registered or not.
  std::vector<std::unique_ptr<AppointBook2>> objects;
};

PlannerTable& Table() {
  static PlannerTable table;
  return table;
}

}  // namespace

void OpenDayPlanner(PlannerHost& host, int year, int month, int day, HFONT mainFont) {
  if (AppointBook2* open = FindDayPlanner(year, month, day)) {
    if (open->Exists()) {
      ShowWindow(open->Handle(), SW_RESTORE);
      SetActiveWindow(open->Handle());
      SetForegroundWindow(open->Handle());
    }
    return;
  }
  // Both places taken by planners that wait for their dialogs: neither is
  // closed under its dialog.
  if (!HasFreeEntry() && !CloseOldestDayPlanner()) {
    MessageBeep(MB_OK);
    return;
  }
  PlannerTable& table = Table();
  table.objects.push_back(std::make_unique<AppointBook2>(host));
  AppointBook2& planner = *table.objects.back();
  RegisterDayPlanner(planner);
  // The opening may wait in a message box and the font dialog, during which
  // the planner can be closed again.
  AppointBook2::InUse use(planner);
  if (!planner.InitDayPlanner(year, month, day, mainFont)) {
    UnregisterDayPlanner(planner);
    planner.ReleaseWhenUnused();
  }
}

bool HasFreeEntry() {
  for (AppointBook2* entry : Table().entries) {
    if (entry == nullptr) return true;
  }
  return false;
}

bool RegisterDayPlanner(AppointBook2& planner) {
  for (AppointBook2*& entry : Table().entries) {
    if (entry == nullptr) {
      entry = &planner;
      return true;
    }
  }
  return false;
}

void UnregisterDayPlanner(const AppointBook2& planner) {
  for (AppointBook2*& entry : Table().entries) {
    if (entry == &planner) entry = nullptr;
  }
}

AppointBook2* FindDayPlanner(int year, int month, int day) {
  for (AppointBook2* entry : Table().entries) {
    if (entry != nullptr && entry->Year() == year && entry->Month() == month &&
        entry->Day() == day) {
      return entry;
    }
  }
  return nullptr;
}

AppointBook2* DayPlannerAt(int entry) {
  if (entry < 0 || entry >= kOpenPlannerEntries) return nullptr;
  return Table().entries[static_cast<size_t>(entry)];
}

bool CloseOldestDayPlanner() {
  auto& entries = Table().entries;
  bool closed = false;
  for (AppointBook2* entry : entries) {
    // A planner waiting for one of its dialogs stays open.
    if (entry == nullptr || entry->Busy()) continue;
    if (entry->Exists()) {
      DestroyWindow(entry->Handle());  // leaves the table on its way
    } else {
      UnregisterDayPlanner(*entry);
    }
    closed = true;
    break;
  }
  for (size_t i = 1; i < entries.size(); ++i) {
    if (entries[i - 1] == nullptr && entries[i] != nullptr) std::swap(entries[i - 1], entries[i]);
  }
  return closed;
}

void CloseAllDayPlanners() {
  for (AppointBook2* entry : Table().entries) {
    if (entry != nullptr && entry->Exists()) DestroyWindow(entry->Handle());
  }
  Table().entries.fill(nullptr);
}

void ReleaseDayPlanner(AppointBook2& planner) {
  auto& objects = Table().objects;
  const auto it =
      std::find_if(objects.begin(), objects.end(),
                   [&](const std::unique_ptr<AppointBook2>& p) { return p.get() == &planner; });
  if (it == objects.end()) return;
  // Moved out first: the object may be the caller; it goes last.
  std::unique_ptr<AppointBook2> doomed = std::move(*it);
  objects.erase(it);
}

HBITMAP PlannerBackgroundImage() {
  return platform::BitmapFromSlot(store::g_settings.plannerImageHandle);
}

void ReplacePlannerBackgroundImage(HBITMAP image) {
  fw::Bitmap old(PlannerBackgroundImage());
  if (old.Get() == image) old.Release();
  store::g_settings.plannerImageHandle = platform::SlotFromBitmap(image);
}

}  // namespace planner
