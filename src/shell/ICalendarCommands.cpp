#include "shell/ICalendarCommands.h"

#include <commdlg.h>

#include "platform/UserFolders.h"
#include "store/AppointmentBook.h"
#include "store/DayNotesFiles.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"

namespace shell {

namespace {

constexpr char kFilter[] = "iCalendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";

// The common file dialog; false when the user cancelled.
bool ChooseFile(HWND owner, bool save, const std::string& folder, std::string& path) {
  char file[MAX_PATH] = {};
  lstrcpynA(file, path.c_str(), sizeof file);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrDefExt = "ics";
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = save ? kExportICalendarTitle : kImportICalendarTitle;
  // The current folder stays where the program put it (older data files are
  // looked for there).
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return false;
  path = file;
  return true;
}

void Tell(store::All_Appointments& book, const std::string& text, bool ok) {
  book.context().prompts.Show(text, store::kPromptCaption, store::PromptButtons::Ok,
                              ok ? store::PromptIcon::Information : store::PromptIcon::Warning);
}

}  // namespace

void ExportToICalendar(HWND owner, store::All_Appointments& book, const std::string& notesFolder,
                       std::string& exportFolder) {
  // Not the program's own folder, which a standard user cannot write to.
  if (exportFolder.empty()) exportFolder = platform::DocumentsFolder();
  std::string path = store::kICalendarFileName;
  if (!ChooseFile(owner, true, exportFolder, path)) return;
  const std::size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) exportFolder = path.substr(0, slash);
  store::StdFolderNames names;
  const store::DayNotesFiles notes(book.context().files, notesFolder);
  const store::IcsExportResult result = store::ExportICalendar(
      book, notes.ReadAll(names), store::ReadToDoItems(book.context().files, book.context().paths),
      path);
  Tell(book, result.message, result.written);
}

void ImportICalendar(HWND owner, store::All_Appointments& book, const std::string& notesFolder) {
  std::string path;
  if (!ChooseFile(owner, false, std::string(), path)) return;
  const store::IcsImportResult result = store::ImportICalendarFile(
      book, path, store::DayNotesFiles(book.context().files, notesFolder));
  if (result.status == store::IcsImportStatus::Imported) {
    book.Sort();
    book.context().notices.ViewsChanged();
  }
  Tell(book, result.message, result.status == store::IcsImportStatus::Imported);
}

}  // namespace shell
