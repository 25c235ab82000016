#pragma once
// The "Daily Website" dialog (ComicDialog, template IDD_DAILY_WEBSITE): the
// daily web page's address, time of day and switches. OK stores them into
// the settings block; Defaults only fills the controls; Cancel and Esc
// change nothing. Restarting the page's timer is the main window's.

#include <string>

#include "framework/Dialog.h"
#include "store/Moment.h"

namespace lumetta {
struct SettingsBlock;
}

class ComicDialog : public fw::Dialog {
 public:
  static constexpr size_t kMaxAddress = 128;

  ComicDialog(fw::Prompter& prompter, lumetta::SettingsBlock& settings);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  void ShowTime();
  void ReadTime();

  lumetta::SettingsBlock& settings_;
  bool enabled_ = false;
  std::string address_;
  lumetta::Moment time_ = 0;
  bool weekdaysOnly_ = false;
  bool askFirst_ = false;
};
