#include "platform/ProtectedSecret.h"

#include <windows.h>
#include <wincrypt.h>

#include <memory>

#include "platform/Win32FileSystem.h"
#include "store/SafeFile.h"

namespace platform {

namespace {

struct LocalFreer {
  void operator()(void* p) const { LocalFree(p); }
};

}  // namespace

bool KeepSecret(const std::string& path, const std::string& secret) {
  DATA_BLOB in{static_cast<DWORD>(secret.size()),
               reinterpret_cast<BYTE*>(const_cast<char*>(secret.data()))};
  DATA_BLOB out{};
  if (!CryptProtectData(&in, L"Lumetta account password", nullptr, nullptr, nullptr,
                        CRYPTPROTECT_UI_FORBIDDEN, &out)) {
    return false;
  }
  const std::unique_ptr<void, LocalFreer> owned(out.pbData);
  Win32FileSystem files;
  return store::WriteFileSafely(files, path, out.pbData, out.cbData);
}

bool ReadKeptSecret(const std::string& path, std::string& secret) {
  Win32FileSystem files;
  const std::unique_ptr<store::InputFile> file = files.OpenRead(path);
  if (!file) return false;
  std::string blob;
  char buffer[4096];
  for (std::size_t n; (n = file->Read(buffer, sizeof buffer)) > 0 && blob.size() < (1u << 20);) {
    blob.append(buffer, n);
  }
  DATA_BLOB in{static_cast<DWORD>(blob.size()), reinterpret_cast<BYTE*>(blob.data())};
  DATA_BLOB out{};
  if (blob.empty() || !CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr,
                                          CRYPTPROTECT_UI_FORBIDDEN, &out)) {
    return false;
  }
  const std::unique_ptr<void, LocalFreer> owned(out.pbData);
  secret.assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
  SecureZeroMemory(out.pbData, out.cbData);
  return true;
}

}  // namespace platform
