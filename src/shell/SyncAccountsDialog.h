#pragma once
// File > "Calendar Accounts..." (template IDD_SYNC_ACCOUNTS): the CalDAV
// accounts the program syncs with, removing one, and adding one: a server's
// or a calendar's address, the user name and the password; "Test
// Connection" asks the server for its calendars, one of which is chosen; it
// asks on a thread of its own, so the dialog answers (and the button cancels)
// while a slow server thinks. The password is kept protected for the user
// (DPAPI) and never shown again.

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "store/CalDavSync.h"
#include "store/Platform.h"
#include "store/SyncAccounts.h"

namespace shell {

class SyncAccountsDialog : public fw::Dialog {
 public:
  SyncAccountsDialog(fw::Prompter& prompter, store::FileSystem& files, std::string dataFile);

  // An account was added or removed while the dialog was open.
  bool Changed() const { return changed_; }
  // A test of the connection is under way.
  bool Testing() const { return pending_ != nullptr; }

  // Posted by the test's thread when the server has answered.
  static constexpr UINT kTested = WM_APP + 20;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string Text(int id) const;
  void ShowAccounts();
  void Status(const std::string& text);
  void TestConnection();
  void CancelTest();
  void OnTested();
  void Add();
  void Remove();

  store::FileSystem& files_;
  std::string dataFile_;
  std::vector<store::SyncAccount> accounts_;
  std::vector<store::DavCalendar> calendars_;  // of the last test
  std::string testedUrl_, testedUser_;
  // What the test's thread hands back; the thread keeps it alive after a
  // cancel or the dialog's end, and its answer is then dropped.
  struct PendingTest {
    std::mutex lock;
    bool done = false;
    store::Discovery found;
  };
  std::shared_ptr<PendingTest> pending_;
  std::string pendingUrl_, pendingUser_;
  bool changed_ = false;
};

}  // namespace shell
