#pragma once
// The "Daily Website" dialog (ComicDialog, template IDD_DAILY_WEBSITE): the
// daily web page's address, time of day and switches. OK stores them into
// the settings block; Defaults only fills the controls; Cancel and Esc
// change nothing. Restarting the page's timer is the main window's.

#include <string>

#include "framework/Dialog.h"
#include "store/Moment.h"

namespace store {
struct SettingsBlock;
}

namespace shell {

class ComicDialog : public fw::Dialog {
 public:
  static constexpr size_t kMaxAddress = 128;

  ComicDialog(fw::Prompter& prompter, store::SettingsBlock& settings);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  void ShowTime();
  void ReadTime();

  store::SettingsBlock& settings_;
  bool enabled_ = false;
  std::string address_;
  store::Moment time_ = 0;
  bool weekdaysOnly_ = false;
  bool askFirst_ = false;
};

}  // namespace shell
