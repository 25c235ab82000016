#pragma once
// DataFilePath: where every file of the program lives. Normally the folder
// "Lumetta Calendar" below the user's roaming application-data folder
// (APPDATA, or "C:" when it is not set), created when missing. Files that
// older versions kept in the current folder (named "<user>.<name>" or just
// "<name>") are answered for reading until the data folder has its own, so
// they are read once and then written to the data folder. A program run
// from a drive other than C keeps everything beside its executable.

#include <string>

#include "store/Platform.h"

namespace platform {

// What DataFilePath depends on, read from the process (OfThisProcess) or
// given by a test.
struct DataFolderEnvironment {
  std::string modulePath;   // full path of the running executable
  bool appDataSet = false;  // APPDATA is set (to a non-empty value)
  std::string appData;      // its value
  std::string userName;     // the logon name, at most 255 characters; may be empty

  static DataFolderEnvironment OfThisProcess();
};

class DataFolder : public store::DataPaths {
 public:
  static constexpr const char* kFolderName = "Lumetta Calendar";

  // The environment of this process, read now.
  DataFolder();
  explicit DataFolder(DataFolderEnvironment environment);

  std::string DataFilePath(const std::string& name, bool forWriting) override;

  // Run from another drive than C: files live beside the executable.
  bool IsPortable() const;
  // The folder every file is written to, with a trailing separator; for the
  // usual case this is base + "\Lumetta Calendar\" (created on first use).
  std::string WritingFolder() const;

 private:
  std::string BaseFolder() const;

  DataFolderEnvironment environment_;
};

}  // namespace platform
