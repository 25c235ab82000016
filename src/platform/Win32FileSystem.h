#pragma once
// The store's file operations on Win32 (CreateFileA, ReadFile, WriteFile,
// FlushFileBuffers, MoveFileExA, CopyFileA). Replace puts a finished file in
// place in one step with MoveFileExA (replace existing, write through), so
// a save never leaves a half-written file behind.

#include "store/Platform.h"

namespace platform {

class Win32FileSystem : public store::FileSystem {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<store::InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<store::OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Rename(const std::string& from, const std::string& to) override;
  // CopyFileA to a temporary file beside `to`, then Replace: a failed copy
  // leaves the old `to` as it was.
  bool CopyReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

}  // namespace platform
