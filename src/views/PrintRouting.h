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
// the job ends or the print dialog is cancelled. Its window is disabled for
// all that time, the print dialog included, so that the printed period
// cannot change and the window cannot close under the job; the pages are
// counted again on the chosen printer once the dialog has closed.

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
  // Pages of the job on a standard page (offered by the print dialog).
  virtual int PrintPageCount() { return 1; }
  // Pages of the job on the chosen printer, laid out as PrintPage then draws
  // them: `printer` measures the printer's font, `pageHeight` is its
  // printable height in its pixels (nullptr and 0: a standard page).
  virtual int PrintPageCountOn(HDC printer, int pageHeight) {
    (void)printer;
    (void)pageHeight;
    return PrintPageCount();
  }
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
  // The chosen printer's context to measure with, and its printable height
  // in its pixels; nullptr and 0 where the target has no such page.
  virtual HDC MeasuringContext() { return nullptr; }
  virtual int PrintableHeight() { return 0; }
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
  HDC MeasuringContext() override { return printer_; }
  int PrintableHeight() override;

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

  // Prints `source` as the source of its kind: print dialog (owned by
  // `owner`), page count on the chosen printer, then every chosen page with
  // a status window whose Cancel ends the job. The source's window is
  // disabled from before the dialog to the end, the owner's top-level window
  // while the pages are sent. True when a job was printed; false when
  // cancelled, failed, or the source's window went while the dialog showed.
  bool PrintFrom(PrintSourceKind kind, PrintSource& source, HWND owner);

  // The source of that kind during a request; nullptr between requests.
  PrintSource* SourceOf(PrintSourceKind kind) const { return sources_[static_cast<size_t>(kind)]; }

 private:
  PrintSource* ActiveSource() const;
  bool PrintPages(PrintSource& source, PrintTarget& target, int first, int last, HWND owner);
  void Clear() { sources_.fill(nullptr); }

  fw::Prompter& prompter_;
  PrintTarget* target_ = nullptr;
  std::array<PrintSource*, 4> sources_ = {};
};

}  // namespace views
