#include "views/PrintRouting.h"

#include <commdlg.h>

#include <algorithm>

#include "views/PrintStatus.h"

namespace views {
namespace {

// The framework's own message for a job that cannot be started.
constexpr const char* kCannotStartJob = "Failed to start print job.";

// Enables a window again when it goes, whatever way the job ends.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : window_(window) {
    if (window_ != nullptr) EnableWindow(window_, FALSE);
  }
  ~DisabledWindow() {
    if (window_ != nullptr && IsWindow(window_)) EnableWindow(window_, TRUE);
  }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HWND window_;
};

}  // namespace

// --- The printer ---------------------------------------------------------------

PrinterTarget::~PrinterTarget() { EndDocument(false); }

bool PrinterTarget::Choose(HWND owner, int pageCount, int& firstPage, int& lastPage) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
  dialog.nMinPage = 1;
  dialog.nMaxPage = static_cast<WORD>(std::clamp(pageCount, 1, 0xFFFF));
  dialog.nFromPage = 1;
  dialog.nToPage = dialog.nMaxPage;
  const BOOL chosen = PrintDlgA(&dialog);
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  if (!chosen || dialog.hDC == nullptr) return false;
  EndDocument(false);
  printer_ = dialog.hDC;
  firstPage = 1;
  lastPage = dialog.nMaxPage;
  if ((dialog.Flags & PD_PAGENUMS) != 0) {
    firstPage = std::max<int>(1, dialog.nFromPage);
    lastPage = std::min<int>(dialog.nMaxPage, dialog.nToPage);
  }
  return true;
}

int PrinterTarget::PrintableHeight() {
  return printer_ != nullptr ? GetDeviceCaps(printer_, VERTRES) : 0;
}

bool PrinterTarget::BeginDocument(const std::string& title) {
  if (printer_ == nullptr) return false;
  DOCINFOA info = {};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  inDocument_ = StartDocA(printer_, &info) > 0;
  return inDocument_;
}

HDC PrinterTarget::BeginPage() {
  if (!inDocument_ || StartPage(printer_) <= 0) return nullptr;
  return printer_;
}

bool PrinterTarget::EndPage() { return inDocument_ && ::EndPage(printer_) > 0; }

void PrinterTarget::EndDocument(bool completed) {
  if (printer_ == nullptr) return;
  if (inDocument_) {
    if (completed) {
      EndDoc(printer_);
    } else {
      AbortDoc(printer_);
    }
  }
  inDocument_ = false;
  DeleteDC(printer_);
  printer_ = nullptr;
}

// --- The routing -------------------------------------------------------------------

PrintSource* PrintRouting::ActiveSource() const {
  for (PrintSource* source : sources_) {
    if (source != nullptr) return source;
  }
  return nullptr;
}

bool PrintRouting::PrintFrom(PrintSourceKind kind, PrintSource& requester, HWND owner) {
  sources_[static_cast<size_t>(kind)] = &requester;
  PrintSource& source = *ActiveSource();
  PrinterTarget printer;
  PrintTarget& target = target_ != nullptr ? *target_ : printer;

  // Disabled before the dialog: while it shows, the source's period cannot
  // change and the source cannot close.
  const HWND sourceWindow = source.PrintWindow();
  DisabledWindow disabledSource(sourceWindow);
  const int offered = std::max(1, source.PrintPageCount());
  int first = 1;
  int last = offered;
  const bool chosen = target.Choose(owner, offered, first, last);
  if (!chosen || (sourceWindow != nullptr && !IsWindow(sourceWindow))) {
    // Cancelled, or the source went all the same: nothing of it is touched.
    if (chosen) target.EndDocument(false);
    Clear();  // no source outlives its request
    return false;
  }
  // The pages as the chosen printer lays them out; "all pages" are all of them.
  const int pages =
      std::max(1, source.PrintPageCountOn(target.MeasuringContext(), target.PrintableHeight()));
  last = last >= offered ? pages : std::min(last, pages);
  first = std::clamp(first, 1, last);

  bool printed = false;
  {
    // The main window stays disabled for the whole job: nothing changes
    // the printed data.
    DisabledWindow mainWindow(owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr);
    if (!target.BeginDocument(source.PrintTitle())) {
      target.EndDocument(false);
      prompter_.Show(owner, kCannotStartJob, MB_OK | MB_ICONEXCLAMATION);
    } else {
      printed = PrintPages(source, target, first, last, owner);
      target.EndDocument(printed);
    }
  }
  Clear();
  return printed;
}

bool PrintRouting::PrintPages(PrintSource& source, PrintTarget& target, int first, int last,
                              HWND owner) {
  PrintStatus status(owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr, source.PrintTitle());
  for (int page = first; page <= last; ++page) {
    status.ShowPage(page, last);
    if (status.Cancelled()) return false;
    HDC dc = target.BeginPage();
    if (dc == nullptr) return false;
    source.PrintPage(dc, page);
    if (!target.EndPage() || status.Cancelled()) return false;
  }
  return true;
}

}  // namespace views
