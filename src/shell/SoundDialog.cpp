#include "shell/SoundDialog.h"

#include "resource.h"
#include "platform/SoundCues.h"
#include "store/BackupRestore.h"
#include "store/FixedFields.h"
#include "store/Settings.h"

namespace shell {

namespace {

constexpr const char* kWaveFilter = "Wave files (*.wav)|*.wav||";

void ShowFile(HWND dialog, int id, const std::string& file) {
  SetDlgItemTextA(dialog, id, file.empty() ? "(no sound selected)" : file.c_str());
}

}  // namespace

SoundDialog::SoundDialog(fw::Prompter& prompter, store::SettingsBlock& settings,
                         store::BackupPickers& pickers, platform::SoundOutput& sound)
    : Dialog(IDD_SOUNDS, prompter), settings_(settings), pickers_(pickers), sound_(sound) {}

bool SoundDialog::OnInitDialog() {
  icon_.Apply(Handle());
  start_ = store::ReadField(settings_.startSound, sizeof settings_.startSound);
  reminder_ = store::ReadField(settings_.reminderSound, sizeof settings_.reminderSound);
  click_ = store::ReadField(settings_.clickSound, sizeof settings_.clickSound);
  ShowFiles();
  return Dialog::OnInitDialog();
}

void SoundDialog::ShowFiles() {
  ShowFile(Handle(), IDC_SOUND_START_FILE, start_);
  ShowFile(Handle(), IDC_SOUND_REMINDER_FILE, reminder_);
  ShowFile(Handle(), IDC_SOUND_CLICK_FILE, click_);
}

void SoundDialog::Choose(std::string& file, const char* title) {
  std::string chosen;
  if (!pickers_.ChooseFileToOpen(title, kWaveFilter, "", chosen)) return;
  // A path cut to fit its field would name another file: refused.
  if (chosen.size() > kMaxPath) {
    GetPrompter().Show(Handle(), "The path of this sound file is too long: at most 127 characters.",
                       MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  file = chosen;
  ShowFiles();
  sound_.PlayFile(file.c_str());
}

void SoundDialog::OnOK() {
  store::SetText(settings_.startSound, start_);
  store::SetText(settings_.reminderSound, reminder_);
  store::SetText(settings_.clickSound, click_);
  Close(IDOK);
}

bool SoundDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (notifyCode != BN_CLICKED) return Dialog::OnCommand(id, notifyCode, control);
  switch (id) {
    case IDC_SOUND_START:
      Choose(start_, "Sound to play at program start-up");
      return true;
    case IDC_SOUND_REMINDER:
      Choose(reminder_, "Sound to play with reminders");
      return true;
    case IDC_SOUND_CLICK:
      Choose(click_, "Sound to play when the calendar is clicked on");
      return true;
    case IDC_SOUND_START_NONE:
      start_.clear();
      break;
    case IDC_SOUND_REMINDER_NONE:
      reminder_.clear();
      break;
    case IDC_SOUND_CLICK_NONE:
      click_.clear();
      break;
    default:
      return Dialog::OnCommand(id, notifyCode, control);
  }
  ShowFiles();
  return true;
}

}  // namespace shell
