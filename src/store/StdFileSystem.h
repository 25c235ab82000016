// FileSystem on the C and C++ standard libraries, for every platform. Replace
// is std::filesystem::rename: rename(2) on POSIX, a replacing MoveFileEx with
// Windows' standard libraries (checked under Wine with mingw-w64). The Windows
// program may still prefer its own with MOVEFILE_WRITE_THROUGH.
#pragma once

#include "store/Platform.h"

namespace store {

class StdFileSystem : public FileSystem {
 public:
  // syncToDisk: Finish also asks the operating system to put the data on
  // the disk (fsync), not only in its cache.
  explicit StdFileSystem(bool syncToDisk = true) : syncToDisk_(syncToDisk) {}

  bool Exists(const std::string& path) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool CopyReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;

 private:
  bool syncToDisk_;
};

}  // namespace store
