#include "store/StdFileSystem.h"

#include <cstdio>
#include <system_error>
#include <filesystem>

#ifdef _WIN32
#include <io.h>  // _commit, _fileno
#else
#include <unistd.h>  // fsync, fileno
#endif

#include "store/SafeFile.h"

namespace store {

namespace {

// The one platform-specific call: push a stream's data from the operating
// system's cache to the disk.
bool SyncToDisk(std::FILE* f) {
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f != nullptr) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class StdInputFile : public InputFile {
 public:
  explicit StdInputFile(FilePtr f) : f_(std::move(f)) {
    if (std::fseek(f_.get(), 0, SEEK_END) == 0) {
      const long end = std::ftell(f_.get());
      if (end > 0) size_ = static_cast<std::uint64_t>(end);
    }
    std::rewind(f_.get());
  }
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t n = std::fread(buffer, 1, size, f_.get());
    if (n < size && std::ferror(f_.get())) failed_ = true;
    return n;
  }
  bool Failed() const override { return failed_; }
  std::uint64_t SizeHint() const override { return size_; }

 private:
  FilePtr f_;
  bool failed_ = false;
  std::uint64_t size_ = 0;
};

class StdOutputFile : public OutputFile {
 public:
  StdOutputFile(FilePtr f, bool sync) : f_(std::move(f)), sync_(sync) {}
  bool Write(const void* data, std::size_t size) override {
    return f_ && std::fwrite(data, 1, size, f_.get()) == size;
  }
  bool Finish() override {
    if (!f_) return false;
    bool ok = std::fflush(f_.get()) == 0;
    if (ok && sync_) ok = SyncToDisk(f_.get());
    ok = std::fclose(f_.release()) == 0 && ok;
    return ok;
  }

 private:
  FilePtr f_;
  bool sync_;
};

}  // namespace

bool StdFileSystem::Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

std::unique_ptr<InputFile> StdFileSystem::OpenRead(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(std::filesystem::path(path), ec)) return nullptr;
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return nullptr;
  return std::make_unique<StdInputFile>(std::move(f));
}

std::unique_ptr<OutputFile> StdFileSystem::Create(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "wb"));
  if (!f) return nullptr;
  return std::make_unique<StdOutputFile>(std::move(f), syncToDisk_);
}

bool StdFileSystem::Replace(const std::string& from, const std::string& to) {
  // rename(2) on POSIX; MoveFileEx with replacing on Windows' standard libraries.
  std::error_code ec;
  std::filesystem::rename(std::filesystem::path(from), std::filesystem::path(to), ec);
  return !ec;
}

bool StdFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Exists(to)) return false;  // the same refusal on every platform
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool StdFileSystem::CopyReplacing(const std::string& from, const std::string& to) {
  const std::unique_ptr<InputFile> in = OpenRead(from);
  if (!in) return false;
  return WriteFileSafely(*this, to, [&](OutputFile& out) {
    char buffer[64 * 1024];
    for (;;) {
      const std::size_t n = in->Read(buffer, sizeof buffer);
      if (n > 0 && !out.Write(buffer, n)) return false;
      if (n < sizeof buffer) return !in->Failed();
    }
  });
}

bool StdFileSystem::Remove(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(std::filesystem::path(path), ec);
  return !Exists(path);
}

}  // namespace store
