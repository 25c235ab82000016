#pragma once
// The reminder pop-up (ReminderPopup): a small topmost window at a random
// place that shows an entry's date, time and text (or, for a countdown,
// "Timer expired" and its text), plays the reminder sound and offers to open
// a web address the text begins with. Its upper icon closes it, its lower
// icon snoozes it (it vanishes and comes back later at a new place); it can
// be dragged anywhere, and Esc closes it. The set of pop-ups
// (ReminderPopups.h) owns every pop-up and its snooze timer.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/DialogTrim.h"
#include "framework/GdiObject.h"
#include "framework/Window.h"

namespace shell {

class ReminderPopups;

// What a pop-up shows. Year 0 marks a countdown, whose day, hour and minute
// hold the hours, minutes and seconds of its snooze delay.
struct ReminderText {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  std::string text;
};

// The two lines: the date line (or "Timer expired") and the time with the text.
std::vector<std::string> ReminderPopupLines(const ReminderText& what, bool europeanCalendar,
                                            bool militaryTime);

// The pop-up's top-left corner from the random point (x, y), for a pop-up
// (width + 3) x (2 x lineHeight) on a screen of that size.
POINT PlaceReminderPopup(int x, int y, int width, int lineHeight, int screenWidth,
                         int screenHeight);

// The web address the text begins with ("http://", "https://", "file://"),
// up to its first space; "" for none.
std::string LinkAddress(const std::string& text);

class ReminderPopup : public fw::Window {
 public:
  static constexpr const char* kClassName = "ReminderPopup";
  static constexpr int kIconSizeAt96 = 32;
  // The snooze delay of a reminder (a countdown has its own).
  static constexpr UINT kReminderSnoozeMs = 300000;

  ReminderPopup(ReminderPopups& owner, ReminderText what, UINT_PTR snoozeTimerId,
                const LOGFONTA& mainFont);
  ~ReminderPopup() override;

  // Shows the pop-up (again, after a snooze): sorts the book, makes the
  // window titled with the text, builds the lines, measures them the first
  // time, places the window at random, shows it topmost and plays the
  // reminder sound, all without taking the activation; the link question
  // follows once the user activates the pop-up.
  // False when the window could not be made.
  bool Show();
  // Destroys the window; the object is released unless a snooze is pending.
  void Close();
  // Starts the snooze timer, then closes. A timer that cannot start leaves
  // the pop-up open rather than lose the reminder.
  void Snooze();
  // The snooze timer expired: stops it and shows the pop-up again.
  bool SnoozeExpired();

  const ReminderText& What() const { return what_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  int Width() const { return width_; }
  int LineHeight() const { return lineHeight_; }
  UINT_PTR SnoozeTimerId() const { return snoozeTimerId_; }
  bool SnoozePending() const { return snoozePending_; }
  // ms until a snooze shows the pop-up again.
  UINT SnoozeDelayMs() const;

  void Paint(HDC dc) const;

 private:
  // Posted at the first activation: the link question.
  static constexpr UINT kAskAboutLink = WM_APP + 1;

  void Measure();
  void LoadIcons();
  int IconSize() const;
  void AskAboutLink();
  void OnLeftButtonDown(int x, int y);
  void OnMouseMove(int x, int y);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage() override;
  void OnDpiChanged() override;

  ReminderPopups& owner_;
  ReminderText what_;
  UINT_PTR snoozeTimerId_;
  LOGFONTA fontDescription_;
  fw::Font font_;
  std::vector<std::string> lines_;
  std::vector<COLORREF> lineColours_;
  int lineHeight_ = 0;
  int width_ = 0;  // 0: not measured yet
  int left_ = 0;
  int top_ = 0;
  POINT dragAnchor_ = {};
  HICON closeIcon_ = nullptr;  // shared resource icons: not destroyed
  HICON snoozeIcon_ = nullptr;
  bool open_ = false;  // its window exists (made by Show, not yet destroyed)
  bool snoozePending_ = false;
  bool linkQuestionDue_ = false;
  fw::FrontOnActivation front_;
};

}  // namespace shell
