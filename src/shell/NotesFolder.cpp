#include "shell/NotesFolder.h"

#include <windows.h>

#include <utility>

#include "store/Platform.h"

namespace shell {

namespace {

std::string g_notesFolder;  // program-wide: set once at start-up

}  // namespace

const std::string& NotesFolder() { return g_notesFolder; }

void SetNotesFolder(std::string folder) { g_notesFolder = std::move(folder); }

std::string MakeNotesFolder(store::DataPaths& paths) {
  const std::string folder = paths.DataFilePath("notes", true) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

}  // namespace shell
