#pragma once
// The quick-check popup (FastView): a small borderless, always-on-top window
// that lists one day at a glance. The month view shows it while the mouse
// rests on a day, the year view for its days, the main window for today at
// start-up. There is at most one popup in the program; a click on it closes
// it. When to show and hide it is up to its users.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/DialogTrim.h"
#include "framework/GdiObject.h"
#include "framework/Window.h"
#include "views/QuickCheckLines.h"

namespace store {
class All_Appointments;
class An_Appointment;
}  // namespace store

namespace views {

// What a popup is made from.
struct QuickCheckRequest {
  store::All_Appointments* book = nullptr;
  store::An_Appointment* first = nullptr;  // FindOnDay of the date, or none
  int year = 0;
  int month = 0;
  int day = 0;
  RECT anchor = {};                               // screen coordinates of the window it belongs to
  int backgroundFlag = 0;                         // 1: dayplan1 background (year view); 0: back
  LOGFONTA mainFont = {};                         // the popup font starts as a copy of it
  std::string notesFolder;                        // for the notes hint
  std::vector<store::SubscribedItem> subscribed;  // the day's, after the entries
};

class FastView : public fw::Window {
 public:
  static constexpr const char* kClassName = "FastView";
  static constexpr int kWindowId = 556;

  FastView() = default;
  ~FastView() override;

  const std::vector<QuickCheckLine>& Lines() const { return lines_; }
  int LineHeight() const { return lineHeight_; }
  int Widest() const { return widest_; }
  HFONT PopupFont() const { return font_.Get(); }
  int BackgroundFlag() const { return backgroundFlag_; }

  // Draws the lines and the frame (screen and off-screen alike).
  void Paint(HDC dc) const;

 private:
  friend FastView* CreateQuickCheckPopup(const QuickCheckRequest& request);

  bool Build(const QuickCheckRequest& request);
  // Remakes the popup font (10 % smaller when shrinking) and measures the lines.
  QuickCheckMeasure Measure(bool shrink, const LOGFONTA& mainFont);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;

  std::vector<QuickCheckLine> lines_;
  int backgroundFlag_ = 0;
  fw::Font font_;
  LOGFONTA fontAt96_ = {};  // font_'s description at 96 DPI
  int lineHeight_ = 0;
  int widest_ = 0;
  fw::FrontOnActivation front_;
};

// Builds, sizes, places and shows the popup, which becomes the program's one
// popup (a popup still open is closed first). nullptr when the window could
// not be made.
FastView* CreateQuickCheckPopup(const QuickCheckRequest& request);

// Destroys the popup, if any, with its lines and font.
void CloseQuickCheckPopup();

// The program's popup, or nullptr.
FastView* CurrentQuickCheckPopup();

// Milliseconds the popup is meant to stay (7000 when there is none).
int QuickCheckDuration();

}  // namespace views
