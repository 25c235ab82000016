#include "store/SafeFile.h"

namespace store {

std::string TemporaryPathFor(const std::string& path) { return path + ".saving"; }

bool WriteFileSafely(FileSystem& files, const std::string& path,
                     const std::function<bool(OutputFile&)>& writeContents) {
  const std::string temp = TemporaryPathFor(path);
  bool ok = false;
  if (std::unique_ptr<OutputFile> out = files.Create(temp)) {
    ok = writeContents(*out);
    ok = out->Finish() && ok;  // always close the file
  } else {
    return false;
  }
  if (ok) ok = files.Replace(temp, path);
  if (!ok) files.Remove(temp);
  return ok;
}

bool WriteFileSafely(FileSystem& files, const std::string& path, const void* data,
                     std::size_t size) {
  return WriteFileSafely(files, path,
                         [&](OutputFile& out) { return size == 0 || out.Write(data, size); });
}

std::string FolderOf(const std::string& path) {
  const std::size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

}  // namespace store
