#include "platform/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "store/SafeFile.h"

namespace platform {

namespace {

// Owns a file handle from CreateFileA.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE Get() const { return handle_; }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now; false when closing failed (or nothing was open).
  bool Close() {
    if (!IsValid()) return false;
    const bool ok = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

// ReadFile and WriteFile take at most a DWORD per call.
constexpr std::size_t kMaxChunk = 1u << 30;

class Win32InputFile : public store::InputFile {
 public:
  explicit Win32InputFile(HANDLE handle) : file_(handle) {
    LARGE_INTEGER size;
    if (GetFileSizeEx(file_.Get(), &size) && size.QuadPart > 0) {
      size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
  }

  std::size_t Read(void* buffer, std::size_t size) override {
    char* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < size && !failed_) {
      const DWORD want = static_cast<DWORD>(std::min(size - total, kMaxChunk));
      DWORD got = 0;
      if (!ReadFile(file_.Get(), out + total, want, &got, nullptr)) {
        failed_ = true;
        break;
      }
      if (got == 0) break;  // end of the file
      total += got;
    }
    return total;
  }

  bool Failed() const override { return failed_; }
  std::uint64_t SizeHint() const override { return size_; }

 private:
  FileHandle file_;
  bool failed_ = false;
  std::uint64_t size_ = 0;
};

class Win32OutputFile : public store::OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : file_(handle) {}

  bool Write(const void* data, std::size_t size) override {
    const char* in = static_cast<const char*>(data);
    while (size > 0 && ok_) {
      const DWORD want = static_cast<DWORD>(std::min(size, kMaxChunk));
      DWORD wrote = 0;
      if (!WriteFile(file_.Get(), in, want, &wrote, nullptr) || wrote == 0) {
        ok_ = false;
        break;
      }
      in += wrote;
      size -= wrote;
    }
    return ok_;
  }

  bool Finish() override {
    if (!file_.IsValid()) return false;
    bool ok = ok_ && FlushFileBuffers(file_.Get()) != FALSE;
    ok = file_.Close() && ok;
    return ok;
  }

 private:
  FileHandle file_;
  bool ok_ = true;  // false after the first failed write
};

}  // namespace

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<store::InputFile> Win32FileSystem::OpenRead(const std::string& path) {
  // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS, so it is refused here.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32InputFile>(h);
}

std::unique_ptr<store::OutputFile> Win32FileSystem::Create(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(h);
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING an existing `to` makes the call fail.
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::CopyReplacing(const std::string& from, const std::string& to) {
  const std::string temp = store::TemporaryPathFor(to);
  bool ok = CopyFileA(from.c_str(), temp.c_str(), FALSE) != FALSE;
  if (ok) {
    // CopyFileA carries the read-only attribute over; the copy must stay
    // replaceable by the next one.
    const DWORD attributes = GetFileAttributesA(temp.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      SetFileAttributesA(temp.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    ok = Replace(temp, to);
  }
  if (!ok) Remove(temp);
  return ok;
}

bool Win32FileSystem::Remove(const std::string& path) {
  DeleteFileA(path.c_str());
  return !Exists(path);
}

}  // namespace platform
