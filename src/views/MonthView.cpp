#include "views/MonthView.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "framework/PaintDC.h"
#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/WindowDC.h"
#include "platform/BackgroundImages.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "store/Subscriptions.h"
#include "views/BackgroundImage.h"
#include "views/CellDrawing.h"
#include "views/MainFont.h"
#include "views/MonthViewHost.h"
#include "views/NotesFiles.h"
#include "views/QuickCheckPopup.h"
#include "platform/ScreenColours.h"

namespace views {
namespace {

// The program's month view (program-wide: the other windows reach it here).
CLumettaView* g_monthView = nullptr;

const char* const kWeekdayNames[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
const char* const kEuropeanWeekdayNames[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};

// The whole view is painted over this square, whatever its size.
constexpr int kBackgroundExtent = 1600;

CellColours Colours() {
  const store::SettingsBlock s = platform::DrawingSettings();
  return CellColours{s.hasappoint, s.toplite, s.botlite};
}

}  // namespace

CLumettaView::CLumettaView(MonthViewHost& host) : host_(host) {
  g_monthView = this;
  SetMainFont(SavedOrDefaultMainFont(store::g_settings.mainFont));
  // The main background image loaded with the settings becomes the view's;
  // when none was loaded, the view tries the stored path itself.
  store::SettingsBlock& settings = store::g_settings;
  backgroundImage_.Reset(platform::BitmapFromSlot(settings.mainImageHandle));
  if (!backgroundImage_) {
    backgroundImage_ = platform::LoadBackgroundImage(settings.mainImage);
    settings.mainImageHandle = platform::SlotFromBitmap(backgroundImage_.Get());
  }
  int year = 0;
  int month = 0;
  int day = 0;
  if (Today(year, month, day)) {
    shown_ = {std::clamp(year, kFirstYear, kLastYear), month};
  } else {
    shown_ = {kFirstYear, 1};
  }
  quickCheckKey_ = {0, 0, day};  // month 0: the first request always proceeds
  layout_ = LayoutMonth(0, 0, shown_.year, shown_.month, store::g_settings.europeanCalendar != 0);
}

CLumettaView::~CLumettaView() {
  Destroy();
  if (g_monthView == this) g_monthView = nullptr;
  if (store::g_settings.mainImageHandle == platform::SlotFromBitmap(backgroundImage_.Get())) {
    store::g_settings.mainImageHandle = 0;
  }
}

CLumettaView* CLumettaView::Current() { return g_monthView; }

bool CLumettaView::Create(HWND parent, int childId) {
  fw::WindowClass windowClass;
  windowClass.name = kClassName;
  // The second click of a double click arrives as a double click, which the
  // view ignores: a quick double click on "<<" steps the month once.
  windowClass.style = CS_DBLCLKS;
  fw::WindowParams params;
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  params.x = 0;
  params.y = 0;
  params.width = 0;
  params.height = 0;
  params.parent = parent;
  params.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId));
  if (!fw::Window::Create(windowClass, params)) return false;
  // The fonts made before the window were at 96 DPI.
  SetMainFont(mainDescription_);
  RebuildLayout();
  return true;
}

void CLumettaView::OnDpiChanged() {
  SetMainFont(mainDescription_);
  RebuildLayout();
  // The frame's move to the suggested rectangle follows; that resize is
  // the system's, not the user's scaling of the font.
  if (IsWindowVisible(GetAncestor(Handle(), GA_ROOT))) resizeSkips_ = 1;
}

// --- Fonts ------------------------------------------------------------------

void CLumettaView::SetMainFont(const LOGFONTA& description) {
  fw::Font font(MakeScaledFont(description, WindowDpi()));
  if (!font) return;  // keep the font there is
  mainFont_ = std::move(font);
  mainDescription_ = description;
  SaveMainFont(description, store::g_settings.mainFont);
  RebuildDerivedFonts();
}

void CLumettaView::RebuildDerivedFonts() {
  weekdayFont_ = MakeScaledFont(WeekdayFontDescription(mainDescription_), WindowDpi());
  titleFont_ = MakeScaledFont(TitleFontDescription(mainDescription_), WindowDpi());
  otherDpiFont_.Reset();
}

HFONT CLumettaView::MainFontFor(fw::Dpi dpi) const {
  if (dpi == WindowDpi()) return mainFont_.Get();
  if (!otherDpiFont_ || otherDpi_ != dpi) {
    otherDpiFont_ = MakeScaledFont(mainDescription_, dpi);
    otherDpi_ = dpi;
  }
  return otherDpiFont_ ? otherDpiFont_.Get() : mainFont_.Get();
}

// A derived font that could not be made is replaced by the main font.
HFONT CLumettaView::WeekdayFont() const {
  return weekdayFont_ ? weekdayFont_.Get() : mainFont_.Get();
}

HFONT CLumettaView::TitleFont() const { return titleFont_ ? titleFont_.Get() : mainFont_.Get(); }

void CLumettaView::MeasureCell(HDC dc) {
  fw::ScopedSelect select(dc, mainFont_.Get());
  const SIZE wd = fw::TextSize(dc, "Wd");
  // The room around a cell's "Wd", at 96 DPI.
  constexpr int kCellPaddingWidthAt96 = 5;
  constexpr int kCellPaddingHeightAt96 = 4;
  layout_.cellWidth = static_cast<int>(wd.cx) + WindowDpi().Scale(kCellPaddingWidthAt96);
  layout_.cellHeight = static_cast<int>(wd.cy) + WindowDpi().Scale(kCellPaddingHeightAt96);
}

SIZE CLumettaView::NaturalSize(HDC dc) {
  MeasureCell(dc);
  return SIZE{7 * layout_.cellWidth, 8 * layout_.cellHeight};
}

SIZE CLumettaView::NaturalSize() {
  fw::WindowDC dc(Handle());
  return NaturalSize(dc.Get());
}

void CLumettaView::ChooseMainFont() {
  LOGFONTA description = {};
  EnableWindow(Handle(), FALSE);
  fw::Font chosen = PickFont(Handle(), mainFont_.Get(), WindowDpi(), description);
  EnableWindow(Handle(), TRUE);
  if (!chosen) return;
  mainFont_ = std::move(chosen);
  mainDescription_ = description;
  RebuildDerivedFonts();
  SaveMainFont(description, store::g_settings.mainFont);
  resizeSkips_ = 2;
  RebuildLayout();
  host_.PlaceMainWindow();
}

void CLumettaView::OnSize(int clientWidth) {
  if (resizeSkips_ > 0) {
    --resizeSkips_;
    return;
  }
  // A hidden main window is being placed by the program itself (its refit
  // after a scaling, placing from a dialog): only the user's resizing of the
  // visible window scales the font. Otherwise each refit would scale again
  // and start another refit, without end.
  if (!IsWindowVisible(GetAncestor(Handle(), GA_ROOT))) return;
  LOGFONTA description = mainDescription_;
  if (!ScaleForWidth(description, clientWidth, layout_.cellWidth)) return;
  SetMainFont(description);
  RebuildLayout();
  host_.HideMainWindow();
  host_.StartRefitTimer();
}

// --- Navigation ---------------------------------------------------------------

void CLumettaView::RebuildLayout() {
  if (Exists()) {
    fw::WindowDC dc(Handle());
    MeasureCell(dc.Get());
  }
  layout_ = LayoutMonth(layout_.cellWidth, layout_.cellHeight, shown_.year, shown_.month,
                        store::g_settings.europeanCalendar != 0);
}

void CLumettaView::DrawCalendar() {
  RebuildLayout();
  if (!Exists()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

bool CLumettaView::Today(int& year, int& month, int& day) const {
  store::CalendarFields now;
  if (!store::LocalFields(host_.Book().context().clock.Now(), now)) return false;
  year = now.year;
  month = now.month;
  day = now.day;
  return true;
}

void CLumettaView::GoToThisMonth() {
  int year = 0;
  int month = 0;
  int day = 0;
  if (Today(year, month, day)) shown_ = {std::clamp(year, kFirstYear, kLastYear), month};
  DrawCalendar();
}

void CLumettaView::NextMonth() {
  shown_ = NextMonthOf(shown_);
  DrawCalendar();
}

void CLumettaView::PreviousMonth() {
  shown_ = PreviousMonthOf(shown_);
  DrawCalendar();
}

void CLumettaView::StepYear(int delta) {
  const int year = shown_.year + delta;
  if (year >= kFirstYear && year <= kLastYear) shown_.year = year;
  DrawCalendar();
}

void CLumettaView::RepaintIfShowing(int year, int month) {
  if (year == shown_.year && month == shown_.month && Exists()) {
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

// --- Other windows --------------------------------------------------------------

void CLumettaView::OpenDayPlanner(int year, int month, int day) {
  if (!store::CanStoreDay(year, month, day)) {
    RefuseDay(Handle());
    return;
  }
  host_.PlayClickSound();
  host_.OpenDayPlanner(year, month, day);
}

void CLumettaView::RefuseDay(HWND owner) {
  prompter_.Show(owner,
                 "Lumetta keeps appointments from 1900 to 9999 only: entries on this day could "
                 "not be saved.",
                 MB_OK | MB_ICONINFORMATION);
}

void CLumettaView::OpenToDoList() {
  host_.PlayClickSound();
  host_.OpenToDoList();
}

void CLumettaView::ShowQuickCheck(int year, int month, int day, const RECT& anchor, int flag) {
  if (day == quickCheckKey_.day && month == quickCheckKey_.month) return;
  CloseQuickCheckPopup();
  store::All_Appointments& book = host_.Book();
  store::An_Appointment* first = book.FindOnDay(year, month, day);
  const std::string notesFolder = host_.NotesFolder();
  const store::SubscribedItems* subscribed = host_.Subscribed();
  const std::vector<store::SubscribedItem> others = subscribed != nullptr
                                                        ? subscribed->On(year, month, day)
                                                        : std::vector<store::SubscribedItem>();
  if (first != nullptr || !others.empty() || NotesFileExists(notesFolder, year, month, day)) {
    QuickCheckRequest request;
    request.subscribed = others;
    request.book = &book;
    request.first = first;
    request.year = year;
    request.month = month;
    request.day = day;
    request.anchor = anchor;
    request.backgroundFlag = flag;
    request.mainFont = mainDescription_;
    request.notesFolder = notesFolder;
    CreateQuickCheckPopup(request);
  }
  quickCheckKey_ = {year, month, day};
}

void CLumettaView::ForgetQuickCheck() {
  quickCheckKey_.day = -1;
  quickCheckKey_.month = -1;
}

void CLumettaView::SelectMonthBackground() {
  BackgroundChoice choice =
      SelectBackgroundImage(Handle(), BackgroundFor::MonthView, backgroundImage_.Get(), prompter_);
  if (!choice.changed) return;
  backgroundImage_ = std::move(choice.image);
  store::g_settings.mainImageHandle = platform::SlotFromBitmap(backgroundImage_.Get());
  if (Exists()) InvalidateRect(Handle(), nullptr, FALSE);
}

// --- Drawing ----------------------------------------------------------------------

void CLumettaView::Paint(HDC dc, const RECT& area) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const CellColours colours = Colours();
  SetBkMode(dc, TRANSPARENT);
  MeasureCell(dc);
  const int w = layout_.cellWidth;
  const int h = layout_.cellHeight;
  layout_ = LayoutMonth(w, h, shown_.year, shown_.month, settings.europeanCalendar != 0);

  SetTextColor(dc, settings.fore);
  fw::FillSolidRect(dc, 0, 0, std::max<int>(kBackgroundExtent, area.right),
                    std::max<int>(kBackgroundExtent, area.bottom), settings.back);
  DrawBackgroundImage(dc, backgroundImage_.Get());

  fw::ScopedSelect mainFont(dc, mainFont_.Get());
  CellLook framed;
  framed.framed = true;
  DrawCell(dc, 0, 0, w, h, "<<", framed, colours);
  DrawCell(dc, 6 * w, 0, w, h, ">>", framed, colours);
  {
    fw::ScopedSelect titleFont(dc, TitleFont());
    const std::string title =
        std::string(store::MonthAbbrev(shown_.month)) + " " + std::to_string(shown_.year);
    DrawCell(dc, w, 0, 5 * w, h, title, CellLook(), colours);
  }
  {
    fw::ScopedSelect weekdayFont(dc, WeekdayFont());
    const char* const* names =
        settings.europeanCalendar != 0 ? kEuropeanWeekdayNames : kWeekdayNames;
    for (int column = 0; column < 7; ++column) {
      DrawCell(dc, column * w, h, w, h, names[column], CellLook(), colours);
    }
  }

  int todayYear = 0;
  int todayMonth = 0;
  int todayDay = 0;
  const bool knowsToday = Today(todayYear, todayMonth, todayDay);
  const std::string notesFolder = host_.NotesFolder();
  store::All_Appointments& book = host_.Book();
  const store::SubscribedItems* subscribed = host_.Subscribed();
  for (int d = 1; d <= layout_.dayCount; ++d) {
    const RECT& cell = layout_.days[static_cast<size_t>(d)];
    CellLook look;
    look.framed = true;
    look.today =
        knowsToday && todayYear == shown_.year && todayMonth == shown_.month && todayDay == d;
    look.marked = NotesFileExists(notesFolder, shown_.year, shown_.month, d) ||
                  book.HasHighlightedEntryOn(shown_.year, shown_.month, d) ||
                  (subscribed != nullptr && subscribed->Highlights(shown_.year, shown_.month, d));
    DrawCell(dc, cell.left, cell.top, w, h, std::to_string(d), look, colours);
  }

  // The clock in the lower right corner, in a font 80 % of the main font.
  fw::Font clockFont = MakeScaledFont(ClockFontDescription(mainDescription_), WindowDpi());
  fw::ScopedSelect clockSelect(dc, clockFont ? clockFont.Get() : mainFont_.Get());
  store::CalendarFields now;
  if (store::LocalFields(book.context().clock.Now(), now)) {
    const std::string clock = store::TimeText(now.hour, now.minute, settings.militaryTime != 0);
    const SIZE size = fw::TextSize(dc, clock);
    TextOutA(dc, 7 * w - static_cast<int>(size.cx) - 2, 8 * h - static_cast<int>(size.cy) - 2,
             clock.c_str(), static_cast<int>(clock.size()));
  }
}

void CLumettaView::PaintClient(HDC dc) {
  RECT client = {};
  GetClientRect(Handle(), &client);
  Paint(dc, client);
}

void CLumettaView::OnDestroy() {
  host_.CloseDayPlanners();
  // The popup belongs to what the view showed; the view is going.
  CloseQuickCheckPopup();
  ReleaseMouse();
}

LRESULT CLumettaView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Drawn off-screen and copied in one step, so the view does not flicker.
  LRESULT painted = 0;
  if (fw::HandleWholePaint(
          Handle(), message, wParam, [this](HDC dc) { PaintClient(dc); }, painted, &offScreen_)) {
    return painted;
  }
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      OnSize(LOWORD(lParam));
      return result;
    }
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(point);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(point);
      return 0;
    case WM_KEYDOWN: {
      OnKeyDown(static_cast<UINT>(wParam));
      return DefaultHandling(message, wParam, lParam);
    }
    case WM_MOUSEACTIVATE: {
      // A click gives the view the keyboard, as the view of a frame has it.
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (result == MA_ACTIVATE || result == MA_ACTIVATEANDEAT) SetFocus(Handle());
      return result;
    }
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace views
