#pragma once
// The one print path of the program. The windows that print (day planner,
// week view, year view, to-do window) run no print job of their own: each
// hands itself to the month view's PrintRouting, which asks the user for a
// printer, opens the job and asks the window for every page.
//
//   class MyWindow : public fw::FrameWindow, public views::PrintSource { ... };
//   views::CLumettaView::Current()->PrintFrom(views::PrintSourceKind::DayPlanner, *this);
//
// A source is held only for the length of one request: from PrintFrom until
// the job ends or the print dialog is cancelled.

#include <windows.h>

#include <array>
#include <string>

#include "framework/Prompter.h"

namespace views {

// In the order in which a set source wins over the others.
enum class PrintSourceKind { DayPlanner = 0, WeekView = 1, YearView = 2, ToDo = 3 };

// A window that prints through the month view.
class PrintSource {
 public:
  virtual ~PrintSource() = default;
  // The window that is disabled while its pages are drawn.
  virtual HWND PrintWindow() const = 0;
  // The name of the print job.
  virtual std::string PrintTitle() const = 0;
  // Pages of the job (asked before the print dialog shows).
  virtual int PrintPageCount() { return 1; }
  // Draws page `page` (1-based) onto the printer's context.
  virtual void PrintPage(HDC printer, int page) = 0;
};

// Where the pages of a job go. The program uses the printer the user picks
// in the print dialog; tests put in one that keeps the pages.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // Asks for the printer and the pages (1..pageCount offered). False when
  // the user cancelled or no printer is available.
  virtual bool Choose(HWND owner, int pageCount, int& firstPage, int& lastPage) = 0;
  virtual bool BeginDocument(const std::string& title) = 0;
  // The context to draw the next page on; nullptr when the page cannot start.
  virtual HDC BeginPage() = 0;
  virtual bool EndPage() = 0;
  // Ends (completed) or aborts the document and lets the printer go.
  virtual void EndDocument(bool completed) = 0;
};

// PrintTarget on the printer chosen in the system's print dialog.
class PrinterTarget : public PrintTarget {
 public:
  PrinterTarget() = default;
  ~PrinterTarget() override;
  PrinterTarget(const PrinterTarget&) = delete;
  PrinterTarget& operator=(const PrinterTarget&) = delete;

  bool Choose(HWND owner, int pageCount, int& firstPage, int& lastPage) override;
  bool BeginDocument(const std::string& title) override;
  HDC BeginPage() override;
  bool EndPage() override;
  void EndDocument(bool completed) override;

 private:
  HDC printer_ = nullptr;
  bool inDocument_ = false;
};

class PrintRouting {
 public:
  // `prompter` reports a job that cannot be started.
  explicit PrintRouting(fw::Prompter& prompter) : prompter_(prompter) {}

  // Replaces the printer (tests); nullptr goes back to the print dialog.
  void SetTarget(PrintTarget* target) { target_ = target; }

  // Prints `source` as the source of its kind: page count, print dialog
  // (owned by `owner`), then every chosen page. The owner's top-level
  // window and the source's window are disabled while the pages are drawn.
  // True when a job was printed; false when cancelled or failed.
  bool PrintFrom(PrintSourceKind kind, PrintSource& source, HWND owner);

  // The source of that kind during a request; nullptr between requests.
  PrintSource* SourceOf(PrintSourceKind kind) const { return sources_[static_cast<size_t>(kind)]; }

 private:
  PrintSource* ActiveSource() const;
  bool PrintPages(PrintSource& source, PrintTarget& target, int first, int last);
  void Clear() { sources_.fill(nullptr); }

  fw::Prompter& prompter_;
  PrintTarget* target_ = nullptr;
  std::array<PrintSource*, 4> sources_ = {};
};

}  // namespace views
