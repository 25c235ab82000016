#include "shell/SubscriptionsDialog.h"

#include <commdlg.h>

#include <iterator>

#include "resource.h"

namespace shell {

namespace {

struct NamedColour {
  const char* name;
  store::Colour colour;
};
// Colours that read on the planners' light rows and the week view alike.
constexpr NamedColour kColours[] = {
    {"Blue", store::MakeColour(0, 0, 192)},    {"Green", store::MakeColour(0, 128, 0)},
    {"Red", store::MakeColour(192, 0, 0)},     {"Purple", store::MakeColour(128, 0, 128)},
    {"Orange", store::MakeColour(208, 96, 0)}, {"Teal", store::MakeColour(0, 128, 128)},
    {"Brown", store::MakeColour(128, 64, 0)},  {"Grey", store::MakeColour(96, 96, 96)},
};

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace

SubscriptionsDialog::SubscriptionsDialog(fw::Prompter& prompter, store::FileSystem& files,
                                         std::string dataFile)
    : Dialog(IDD_SUBSCRIPTIONS, prompter), files_(files), dataFile_(std::move(dataFile)) {}

bool SubscriptionsDialog::OnInitDialog() {
  SendDlgItemMessageA(Handle(), IDC_SUBS_ADDRESS, EM_LIMITTEXT, 1000, 0);
  SendDlgItemMessageA(Handle(), IDC_SUBS_NAME, EM_LIMITTEXT, 60, 0);
  for (const NamedColour& c : kColours) {
    SendDlgItemMessageA(Handle(), IDC_SUBS_COLOUR, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(c.name));
  }
  SendDlgItemMessageA(Handle(), IDC_SUBS_COLOUR, CB_SETCURSEL, 0, 0);
  list_ = store::ReadSubscriptions(files_, store::SubscriptionsPath(dataFile_));
  ShowList(0);
  return Dialog::OnInitDialog();
}

std::string SubscriptionsDialog::Text(int id) const {
  char buffer[1024] = {};
  GetDlgItemTextA(Handle(), id, buffer, sizeof buffer);
  std::string text = buffer;
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int SubscriptionsDialog::Chosen() const {
  const LRESULT at = SendDlgItemMessageA(Handle(), IDC_SUBS_LIST, LB_GETCURSEL, 0, 0);
  return at >= 0 && static_cast<std::size_t>(at) < list_.size() ? static_cast<int>(at) : -1;
}

void SubscriptionsDialog::Status(const std::string& text) {
  SetDlgItemTextA(Handle(), IDC_SUBS_STATUS, text.c_str());
}

void SubscriptionsDialog::ShowList(int select) {
  HWND list = GetDlgItem(Handle(), IDC_SUBS_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const store::Subscription& s : list_) {
    const std::string line = s.name + (s.on ? "" : " (off)") + "  " + s.address;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  if (select >= static_cast<int>(list_.size())) select = static_cast<int>(list_.size()) - 1;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
  const int at = Chosen();
  SetDlgItemTextA(Handle(), IDC_SUBS_TOGGLE,
                  at >= 0 && !list_[static_cast<std::size_t>(at)].on ? "Turn &On" : "Turn &Off");
  EnableWindow(GetDlgItem(Handle(), IDC_SUBS_TOGGLE), at >= 0);
  EnableWindow(GetDlgItem(Handle(), IDC_SUBS_REMOVE), at >= 0);
}

bool SubscriptionsDialog::Save() {
  if (store::WriteSubscriptions(files_, store::SubscriptionsPath(dataFile_), list_)) {
    changed_ = true;
    return true;
  }
  Status("The list of subscriptions could not be written.");
  list_ = store::ReadSubscriptions(files_, store::SubscriptionsPath(dataFile_));
  ShowList(0);
  return false;
}

void SubscriptionsDialog::Browse() {
  char path[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = "iCalendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrTitle = "Subscribe to a Calendar File";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn)) return;
  SetDlgItemTextA(Handle(), IDC_SUBS_ADDRESS, path);
  if (Text(IDC_SUBS_NAME).empty()) SetDlgItemTextA(Handle(), IDC_SUBS_NAME, BaseName(path).c_str());
}

void SubscriptionsDialog::Subscribe() {
  store::Subscription s;
  s.address = Text(IDC_SUBS_ADDRESS);
  s.name = Text(IDC_SUBS_NAME);
  if (s.address.empty()) {
    Status("Type the calendar's address or choose a file with Browse.");
    return;
  }
  if (store::DownloadAddress(s.address).empty() && !files_.Exists(s.address)) {
    Status("That is neither an https or webcal address nor a file on this computer.");
    return;
  }
  if (s.name.empty()) s.name = BaseName(s.address);
  if (!store::FitsSubscriptionsFile(s.address) || !store::FitsSubscriptionsFile(s.name)) {
    Status("The address or the name holds a character that cannot be kept.");
    return;
  }
  for (const store::Subscription& other : list_) {
    if (other.address == s.address) {
      Status("That calendar is subscribed already.");
      return;
    }
  }
  const LRESULT colour = SendDlgItemMessageA(Handle(), IDC_SUBS_COLOUR, CB_GETCURSEL, 0, 0);
  s.colour = kColours[colour >= 0 && colour < LRESULT{std::size(kColours)} ? colour : 0].colour;
  s.highlight = IsDlgButtonChecked(Handle(), IDC_SUBS_HIGHLIGHT) == BST_CHECKED;
  s.id = store::NewSubscriptionId(list_);
  list_.push_back(s);
  if (!Save()) return;
  SetDlgItemTextA(Handle(), IDC_SUBS_ADDRESS, "");
  SetDlgItemTextA(Handle(), IDC_SUBS_NAME, "");
  ShowList(static_cast<int>(list_.size()) - 1);
  Status("Subscribed to \"" + s.name + "\". It is read now and every few hours.");
}

void SubscriptionsDialog::Toggle() {
  const int at = Chosen();
  if (at < 0) return;
  store::Subscription& s = list_[static_cast<std::size_t>(at)];
  s.on = !s.on;
  if (!Save()) return;
  ShowList(at);
  Status("\"" + s.name + "\" is " + (s.on ? "shown." : "turned off."));
}

void SubscriptionsDialog::Remove() {
  const int at = Chosen();
  if (at < 0) {
    Status("Choose the calendar to remove in the list.");
    return;
  }
  const store::Subscription gone = list_[static_cast<std::size_t>(at)];
  list_.erase(list_.begin() + at);
  if (!Save()) return;
  files_.Remove(store::SubscriptionCachePath(dataFile_, gone));
  ShowList(at);
  Status("Removed \"" + gone.name + "\".");
}

bool SubscriptionsDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  switch (id) {
    case IDC_SUBS_LIST:
      if (notifyCode == LBN_SELCHANGE) ShowList(Chosen());
      return true;
    case IDC_SUBS_BROWSE:
      Browse();
      return true;
    case IDC_SUBS_ADD:
      Subscribe();
      return true;
    case IDC_SUBS_TOGGLE:
      Toggle();
      return true;
    case IDC_SUBS_REMOVE:
      Remove();
      return true;
    default:
      return Dialog::OnCommand(id, notifyCode, control);
  }
}

}  // namespace shell
