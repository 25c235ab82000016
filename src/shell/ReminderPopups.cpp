#include "shell/ReminderPopups.h"

#include <algorithm>
#include <utility>

#include "shell/MainTimers.h"
#include "store/ProgramState.h"

namespace shell {

ReminderPopups::ReminderPopups(TimerService& timers, store::All_Appointments& book,
                               fw::Prompter& prompter, ShellRequests& shell,
                               platform::SoundOutput& sound)
    : timers_(timers), book_(book), prompter_(prompter), shell_(shell), sound_(sound) {}

ReminderPopups::~ReminderPopups() { CloseAll(); }

ReminderPopup* ReminderPopups::Show(const ReminderText& what, const LOGFONTA& mainFont) {
  popups_.push_back(
      std::make_unique<ReminderPopup>(*this, what, store::g_popupTimerIds.Take(), mainFont));
  ReminderPopup& popup = *popups_.back();
  if (!popup.Show()) {
    Release(popup);
    return nullptr;
  }
  return &popup;
}

bool ReminderPopups::OnTimer(UINT_PTR id) {
  const auto it = std::find_if(popups_.begin(), popups_.end(), [id](const auto& p) {
    return p->SnoozePending() && p->SnoozeTimerId() == id;
  });
  if (it == popups_.end()) return false;
  ReminderPopup& popup = **it;
  if (!popup.SnoozeExpired()) Release(popup);
  return true;
}

void ReminderPopups::CloseAll() {
  // Taken out first: a pop-up destroyed here finds itself no longer in the set.
  std::vector<std::unique_ptr<ReminderPopup>> doomed = std::move(popups_);
  popups_.clear();
}

void ReminderPopups::Release(ReminderPopup& popup) {
  const auto it = std::find_if(popups_.begin(), popups_.end(),
                               [&popup](const auto& p) { return p.get() == &popup; });
  if (it == popups_.end()) return;
  std::unique_ptr<ReminderPopup> doomed = std::move(*it);
  popups_.erase(it);
}

}  // namespace shell
