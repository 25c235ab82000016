#pragma once
// A private HKEY_CURRENT_USER for tests of the older versions' registry
// values, and a way to write such values below SOFTWARE\Brandeck\Lumetta.

#include <windows.h>

#include <string>

#include "platform/LegacyRegistry.h"

namespace registry_testing {

// HKEY_CURRENT_USER of this process is a fresh, empty key for the object's
// lifetime; the key is deleted afterwards.
class PrivateCurrentUser {
 public:
  PrivateCurrentUser() {
    static int counter = 0;
    path_ = "Software\\LumettaTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    if (key_ != nullptr)
      overridden_ = RegOverridePredefKey(HKEY_CURRENT_USER, key_) == ERROR_SUCCESS;
  }
  ~PrivateCurrentUser() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (key_ != nullptr) RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }
  PrivateCurrentUser(const PrivateCurrentUser&) = delete;
  PrivateCurrentUser& operator=(const PrivateCurrentUser&) = delete;
  bool Ready() const { return overridden_; }

 private:
  std::string path_;
  HKEY key_ = nullptr;
  bool overridden_ = false;
};

// Writes a value below SOFTWARE\Brandeck\Lumetta\<subkey>.
inline bool SetValue(const std::string& subkey, const char* name, DWORD type, const void* data,
                     DWORD size) {
  HKEY key = nullptr;
  const std::string path = std::string(platform::File::kRoot) + "\\" + subkey;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool ok =
      RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}
inline bool SetText(const std::string& subkey, const char* name, const std::string& text) {
  return SetValue(subkey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
inline bool SetNumber(const std::string& subkey, const char* name, DWORD number) {
  return SetValue(subkey, name, REG_DWORD, &number, sizeof number);
}

}  // namespace registry_testing
