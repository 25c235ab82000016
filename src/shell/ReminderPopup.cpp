#include "shell/ReminderPopup.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "framework/PaintDC.h"
#include "framework/Prompter.h"
#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/WindowDC.h"
#include "resource.h"
#include "shell/MainTimers.h"
#include "shell/ReminderPopups.h"
#include "shell/ShellServices.h"
#include "platform/SoundCues.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "views/MainFont.h"
#include "platform/ScreenColours.h"

namespace shell {

namespace {

// The icons stand in a column this wide at the right (96-DPI sizes).
const int kIconColumnAt96 = 34;
const int kMinLineHeightAt96 = 32;
// Room beside the widest line for the icons.
const int kTextMarginAt96 = 64;

const char* WeekdayOf(int year, int month, int day) {
  store::Moment noon = 0;
  store::CalendarFields fields;
  if (!store::TryMakeTime(year, month, day, 12, 0, noon) || !store::LocalFields(noon, fields)) {
    return "";
  }
  return store::WeekdayName(fields.weekday + 1);
}

// Chosen from the icon's images at the size drawn, not stretched.
HICON LoadPopupIcon(int id, int size) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       size, size, LR_SHARED));
}

}  // namespace

std::vector<std::string> ReminderPopupLines(const ReminderText& what, bool europeanCalendar,
                                            bool militaryTime) {
  if (what.year == 0) return {"Timer expired", " " + what.text + "  "};
  const char* weekday = WeekdayOf(what.year, what.month, what.day);
  const char* month = store::MonthAbbrev(what.month);
  char date[96] = "";
  if (europeanCalendar) {
    snprintf(date, sizeof date, " %s, %d %s %d", weekday, what.day, month, what.year);
  } else {
    snprintf(date, sizeof date, " %s %s %d, %d", weekday, month, what.day, what.year);
  }
  return {date,
          " " + store::TimeText(what.hour, what.minute, militaryTime) + "  " + what.text + "  "};
}

POINT PlaceReminderPopup(int x, int y, int width, int lineHeight, int screenWidth,
                         int screenHeight) {
  const int height = 2 * lineHeight;
  POINT at = {x - width - 3, y};
  if (at.x < 0 && x < screenWidth - screenWidth / 5) at.x = x;
  if (y + height > screenHeight) at.y = screenHeight - height - 5;
  if (at.y < 0) at.y = 0;
  if (x > screenWidth + 1) {
    at.x = screenWidth - width - 8;
    at.y = screenHeight - height - 5;
  }
  // Kept on the screen where it fits, so its icons can be reached.
  if (at.x + width + 3 > screenWidth) at.x = screenWidth - width - 3;
  if (at.x < 0) at.x = 0;
  return at;
}

std::string LinkAddress(const std::string& text) {
  for (const char* scheme : {"http://", "file://", "https://"}) {
    if (text.compare(0, std::char_traits<char>::length(scheme), scheme) == 0) {
      return text.substr(0, text.find(' '));
    }
  }
  return std::string();
}

ReminderPopup::ReminderPopup(ReminderPopups& owner, ReminderText what, UINT_PTR snoozeTimerId,
                             const LOGFONTA& mainFont)
    : owner_(owner),
      what_(std::move(what)),
      snoozeTimerId_(snoozeTimerId),
      fontDescription_(mainFont) {}

ReminderPopup::~ReminderPopup() {
  if (snoozePending_) owner_.Timers().Stop(snoozeTimerId_);
  open_ = false;  // being destroyed by its owner: nothing to release
  Destroy();
}

UINT ReminderPopup::SnoozeDelayMs() const {
  if (what_.year != 0) return owner_.ReminderSnoozeMs();
  const long long ms =
      ((static_cast<long long>(what_.day) * 60 + what_.hour) * 60 + what_.minute) * 1000;
  return static_cast<UINT>(std::clamp<long long>(ms, 1, USER_TIMER_MAXIMUM));
}

bool ReminderPopup::Show() {
  const store::SettingsBlock& settings = store::g_settings;
  owner_.Book().Sort();

  fw::WindowClass windowClass;
  windowClass.name = kClassName;
  fw::WindowParams params;
  params.title = what_.text.c_str();
  // A topmost tool window without a caption: no taskbar button. It is shown
  // without taking the activation, so nothing the user types elsewhere goes
  // to it; a click activates it, and then Esc reaches it.
  params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.style = WS_POPUP | WS_SYSMENU;
  params.x = -1;
  params.y = -1;
  params.width = 1;
  params.height = 1;
  if (!Create(windowClass, params)) return false;
  open_ = true;

  lines_ = ReminderPopupLines(what_, settings.europeanCalendar != 0, settings.militaryTime != 0);
  lineColours_.assign(lines_.size(), settings.fore);
  if (width_ == 0) Measure();

  int screenWidth = 0;
  int screenHeight = 0;
  {
    fw::WindowDC screen(nullptr);
    screenWidth = GetDeviceCaps(screen.Get(), HORZRES);
    screenHeight = GetDeviceCaps(screen.Get(), VERTRES);
  }
  const int y = std::rand() % 400 + 70;
  const int x = std::rand() % 600 + 70;
  const POINT at = PlaceReminderPopup(x, y, width_, lineHeight_, screenWidth, screenHeight);
  left_ = at.x;
  top_ = at.y;

  LoadIcons();
  SetWindowPos(Handle(), HWND_TOPMOST, left_, top_, width_ + 3, 2 * lineHeight_,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  platform::PlayReminderSound(settings, owner_.Sound());
  // A question box would take the keyboard: it waits until the user turns
  // to the pop-up.
  linkQuestionDue_ = !LinkAddress(what_.text).empty();
  return true;
}

void ReminderPopup::LoadIcons() {
  closeIcon_ = LoadPopupIcon(IDI_REMINDER_CLOSE, IconSize());
  snoozeIcon_ = LoadPopupIcon(IDI_REMINDER_SNOOZE, IconSize());
}

int ReminderPopup::IconSize() const { return WindowDpi().Scale(kIconSizeAt96); }

void ReminderPopup::OnDpiChanged() {
  Measure();
  LoadIcons();
  SetWindowPos(Handle(), nullptr, 0, 0, width_ + 3, 2 * lineHeight_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReminderPopup::Measure() {
  font_ = views::MakeScaledFont(fontDescription_, WindowDpi());
  fw::WindowDC dc(Handle());
  if (!dc) return;
  fw::ScopedSelect select(dc.Get(), font_.Get());
  int widest = 0;
  int textHeight = 0;
  for (const std::string& line : lines_) {
    const SIZE size = fw::TextSize(dc.Get(), line);
    widest = std::max(widest, static_cast<int>(size.cx) + WindowDpi().Scale(kTextMarginAt96));
    textHeight = std::max(textHeight, static_cast<int>(size.cy));
  }
  width_ = widest;
  lineHeight_ = std::max(textHeight + 2, WindowDpi().Scale(kMinLineHeightAt96));
}

void ReminderPopup::Close() {
  // Releases this object (without a pending snooze): nothing of it may be
  // touched afterwards.
  Destroy();
}

void ReminderPopup::Snooze() {
  if (!owner_.Timers().Start(snoozeTimerId_, SnoozeDelayMs())) return;
  snoozePending_ = true;
  Close();
}

bool ReminderPopup::SnoozeExpired() {
  owner_.Timers().Stop(snoozeTimerId_);
  snoozePending_ = false;
  lines_.clear();
  lineColours_.clear();
  return Show();
}

void ReminderPopup::AskAboutLink() {
  const std::string address = LinkAddress(what_.text);
  if (address.empty()) return;
  const std::string question = "Would you like Lumetta to open a web browser for: " + address + "?";
  if (owner_.Prompter().Show(Handle(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  owner_.Shell().Open(Handle(), address);
  Close();
}

void ReminderPopup::Paint(HDC dc) const {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const int height = 2 * lineHeight_;
  fw::FillSolidRect(dc, 0, 0, width_ + 3, height, settings.back);
  SetBkColor(dc, settings.back);
  {
    fw::ScopedSelect select(dc, font_.Get());
    if (lines_.size() == 2) {
      SetTextColor(dc, settings.hasappoint);
      TextOutA(dc, 3, 1, lines_[0].c_str(), static_cast<int>(lines_[0].size()));
      SetTextColor(dc, platform::EntryColour(lineColours_[1]));
      TextOutA(dc, 5, lineHeight_, lines_[1].c_str(), static_cast<int>(lines_[1].size()));
    }
  }
  fw::Draw3dRect(dc, 1, 1, width_ + 1, height - 2, settings.toplite, settings.botlite);
  const int icon = IconSize();
  if (closeIcon_ != nullptr) {
    DrawIconEx(dc, width_ - icon, 0, closeIcon_, icon, icon, 0, nullptr, DI_NORMAL);
  }
  if (snoozeIcon_ != nullptr) {
    DrawIconEx(dc, width_ - icon, height - icon - 2, snoozeIcon_, icon, icon, 0, nullptr,
               DI_NORMAL);
  }
}

void ReminderPopup::OnLeftButtonDown(int x, int y) {
  if (x > width_ - WindowDpi().Scale(kIconColumnAt96)) {
    if (y < lineHeight_) {
      Close();  // releases this object
      return;
    }
    if (y > lineHeight_) {
      Snooze();
      return;
    }
  }
  SetCapture(Handle());
  dragAnchor_ = {x, y};
}

void ReminderPopup::OnMouseMove(int x, int y) {
  if (GetCapture() != Handle()) return;
  left_ += x - dragAnchor_.x;
  top_ += y - dragAnchor_.y;
  SetWindowPos(Handle(), nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ReminderPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (fw::HandleWholePaint(
          Handle(), message, wParam, [this](HDC dc) { Paint(dc); }, painted)) {
    return painted;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
      // May release this object: nothing of it may be touched afterwards.
      OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) != 0) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        Close();  // releases this object
        return 0;
      }
      break;
    case WM_ACTIVATE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      front_.OnActivate(Handle(), wParam);
      if (LOWORD(wParam) != WA_INACTIVE && linkQuestionDue_) {
        linkQuestionDue_ = false;
        PostMessageA(Handle(), kAskAboutLink, 0, 0);
      }
      return result;
    }
    case kAskAboutLink:
      AskAboutLink();  // may release this object
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void ReminderPopup::OnFinalMessage() {
  // The window is gone. Without a pending snooze the pop-up has ended.
  if (!open_) return;
  open_ = false;
  if (!snoozePending_) owner_.Release(*this);
}

}  // namespace shell
