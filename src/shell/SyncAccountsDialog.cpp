#include "shell/SyncAccountsDialog.h"

#include <algorithm>
#include <cctype>
#include <thread>

#include "platform/ProtectedSecret.h"
#include "platform/WinHttpTransport.h"
#include "resource.h"
#include "store/SyncState.h"

namespace shell {

namespace {

// Plain HTTP is for a server on this machine only.
bool LocalAddress(const std::string& url) {
  for (const char* local : {"http://localhost", "http://127.0.0.1", "http://[::1]"}) {
    if (url.compare(0, std::char_traits<char>::length(local), local) == 0) return true;
  }
  return false;
}

}  // namespace

SyncAccountsDialog::SyncAccountsDialog(fw::Prompter& prompter, store::FileSystem& files,
                                       std::string dataFile)
    : Dialog(IDD_SYNC_ACCOUNTS, prompter), files_(files), dataFile_(std::move(dataFile)) {}

bool SyncAccountsDialog::OnInitDialog() {
  SendDlgItemMessageA(Handle(), IDC_SYNC_URL, EM_LIMITTEXT, 1000, 0);
  SendDlgItemMessageA(Handle(), IDC_SYNC_USER, EM_LIMITTEXT, 200, 0);
  SendDlgItemMessageA(Handle(), IDC_SYNC_PASSWORD, EM_LIMITTEXT, 200, 0);
  ShowAccounts();
  EnableWindow(GetDlgItem(Handle(), IDC_SYNC_ADD), FALSE);
  return Dialog::OnInitDialog();
}

std::string SyncAccountsDialog::Text(int id) const {
  char buffer[1024] = {};
  GetDlgItemTextA(Handle(), id, buffer, sizeof buffer);
  return buffer;
}

void SyncAccountsDialog::Status(const std::string& text) {
  SetDlgItemTextA(Handle(), IDC_SYNC_STATUS, text.c_str());
}

void SyncAccountsDialog::ShowAccounts() {
  accounts_ = store::ReadSyncAccounts(files_, store::SyncAccountsPath(dataFile_));
  HWND list = GetDlgItem(Handle(), IDC_SYNC_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const store::SyncAccount& a : accounts_) {
    const std::string line = a.name + " (" + a.user + ")  " + a.calendar;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  EnableWindow(GetDlgItem(Handle(), IDC_SYNC_REMOVE), !accounts_.empty());
}

void SyncAccountsDialog::TestConnection() {
  const std::string url = Text(IDC_SYNC_URL);
  const std::string user = Text(IDC_SYNC_USER);
  HWND combo = GetDlgItem(Handle(), IDC_SYNC_CALENDAR);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  calendars_.clear();
  EnableWindow(GetDlgItem(Handle(), IDC_SYNC_ADD), FALSE);
  if (url.empty() || user.empty()) {
    Status("Type the server's address and your user name first.");
    return;
  }
  pending_ = std::make_shared<PendingTest>();
  pendingUrl_ = url;
  pendingUser_ = user;
  std::string password = Text(IDC_SYNC_PASSWORD);
  std::thread([pending = pending_, url, user, password, window = Handle()]() mutable {
    store::Discovery found;
    {
      const auto http = platform::MakeWinHttpTransport(user, password);
      std::fill(password.begin(), password.end(), '\0');
      found = store::DiscoverCalendars(*http, url, LocalAddress(url));
    }
    {
      const std::lock_guard<std::mutex> hold(pending->lock);
      pending->found = std::move(found);
      pending->done = true;
    }
    PostMessageA(window, kTested, 0, 0);
  }).detach();
  std::fill(password.begin(), password.end(), '\0');
  SetDlgItemTextA(Handle(), IDC_SYNC_TEST, "Cancel");
  Status("Connecting...");
}

void SyncAccountsDialog::CancelTest() {
  pending_.reset();
  SetDlgItemTextA(Handle(), IDC_SYNC_TEST, "&Test Connection");
  Status("Cancelled.");
}

void SyncAccountsDialog::OnTested() {
  if (pending_ == nullptr) return;  // cancelled: a thread's late answer
  store::Discovery found;
  {
    const std::lock_guard<std::mutex> hold(pending_->lock);
    if (!pending_->done) return;  // a cancelled thread's answer, while a new test runs
    found = std::move(pending_->found);
  }
  pending_.reset();
  SetDlgItemTextA(Handle(), IDC_SYNC_TEST, "&Test Connection");
  if (found.outcome != store::SyncOutcome::Done) {
    Status("No connection: " + found.message + ".");
    return;
  }
  if (found.calendars.empty()) {
    Status("The server has no calendar for events.");
    return;
  }
  calendars_ = found.calendars;
  HWND combo = GetDlgItem(Handle(), IDC_SYNC_CALENDAR);
  for (const store::DavCalendar& c : calendars_) {
    const std::string name = c.name.empty() ? c.url : c.name;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  testedUrl_ = pendingUrl_;
  testedUser_ = pendingUser_;
  EnableWindow(GetDlgItem(Handle(), IDC_SYNC_ADD), TRUE);
  Status("Connected. Choose the calendar to sync with, then Add.");
}

INT_PTR SyncAccountsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTested) {
    OnTested();
    return TRUE;
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

void SyncAccountsDialog::Add() {
  const LRESULT chosen = SendDlgItemMessageA(Handle(), IDC_SYNC_CALENDAR, CB_GETCURSEL, 0, 0);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= calendars_.size() ||
      Text(IDC_SYNC_URL) != testedUrl_ || Text(IDC_SYNC_USER) != testedUser_) {
    Status("Test the connection first.");
    return;
  }
  const store::DavCalendar& calendar = calendars_[static_cast<std::size_t>(chosen)];
  store::SyncAccount account;
  account.url = testedUrl_;
  account.user = testedUser_;
  account.calendar = calendar.url;
  account.allowHttp = LocalAddress(calendar.url);
  // A name the files beside the data file can carry: letters and digits.
  std::string base;
  for (const char c : calendar.name.empty() ? std::string("calendar") : calendar.name) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') base += c;
  }
  if (base.empty()) base = "calendar";
  account.name = base;
  for (int n = 2; std::any_of(
           accounts_.begin(), accounts_.end(),
           [&](const auto& a) { return a.name == account.name || a.calendar == account.calendar; });
       ++n) {
    for (const store::SyncAccount& a : accounts_) {
      if (a.calendar == account.calendar) {
        Status("That calendar has an account already.");
        return;
      }
    }
    account.name = base + std::to_string(n);
  }
  if (!store::FitsAccountsFile(account.url) || !store::FitsAccountsFile(account.user) ||
      !store::FitsAccountsFile(account.calendar)) {
    Status("The address or the user name holds a character that cannot be kept.");
    return;
  }
  std::string password = Text(IDC_SYNC_PASSWORD);
  const bool kept =
      platform::KeepSecret(store::KeptPasswordPath(dataFile_, account.name), password);
  std::fill(password.begin(), password.end(), '\0');
  if (!kept) {
    Status("The password could not be kept; no account was added.");
    return;
  }
  accounts_.push_back(account);
  if (!store::WriteSyncAccounts(files_, store::SyncAccountsPath(dataFile_), accounts_)) {
    files_.Remove(store::KeptPasswordPath(dataFile_, account.name));
    Status("The accounts file could not be written; no account was added.");
    ShowAccounts();
    return;
  }
  changed_ = true;
  SetDlgItemTextA(Handle(), IDC_SYNC_PASSWORD, "");
  SendDlgItemMessageA(Handle(), IDC_SYNC_CALENDAR, CB_RESETCONTENT, 0, 0);
  calendars_.clear();
  EnableWindow(GetDlgItem(Handle(), IDC_SYNC_ADD), FALSE);
  ShowAccounts();
  Status("Added \"" + account.name + "\". It syncs now and every 15 minutes.");
}

void SyncAccountsDialog::Remove() {
  const LRESULT at = SendDlgItemMessageA(Handle(), IDC_SYNC_LIST, LB_GETCURSEL, 0, 0);
  if (at < 0 || static_cast<std::size_t>(at) >= accounts_.size()) {
    Status("Choose the account to remove in the list.");
    return;
  }
  const store::SyncAccount gone = accounts_[static_cast<std::size_t>(at)];
  const std::string question =
      "Stop syncing with \"" + gone.name + "\"? The entries stay in the diary and on the server.";
  if (GetPrompter().Show(Handle(), question.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  accounts_.erase(accounts_.begin() + at);
  if (!store::WriteSyncAccounts(files_, store::SyncAccountsPath(dataFile_), accounts_)) {
    Status("The accounts file could not be written.");
    ShowAccounts();
    return;
  }
  files_.Remove(store::KeptPasswordPath(dataFile_, gone.name));
  files_.Remove(store::SyncStatePath(dataFile_, gone.name));
  changed_ = true;
  ShowAccounts();
  Status("Removed \"" + gone.name + "\".");
}

bool SyncAccountsDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  switch (id) {
    case IDC_SYNC_TEST:
      if (Testing()) {
        CancelTest();
      } else {
        TestConnection();
      }
      return true;
    case IDC_SYNC_ADD:
      Add();
      return true;
    case IDC_SYNC_REMOVE:
      Remove();
      return true;
    default:
      return Dialog::OnCommand(id, notifyCode, control);
  }
}

}  // namespace shell
