#pragma once
// What older versions of the program kept in the registry of the current
// user, below HKEY_CURRENT_USER\SOFTWARE\Brandeck\Lumetta: their
// preferences (imported once, when "settings.bin" does not exist yet) and
// their to-do lists. Everything is opened for reading only; nothing below
// that key is ever written or deleted.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "store/Moment.h"

namespace store {
struct SettingsBlock;
struct WindowPosition;
}  // namespace store

namespace platform {

// The registry reader: one opened subkey at a time.
class File {
 public:
  static constexpr const char* kRoot = "SOFTWARE\\Brandeck\\Lumetta";
  // The longest text value read, terminator included.
  static constexpr std::size_t kMaxTextBytes = 256;

  enum class ToDoList { Personal, Work, Other };

  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens kRoot + "\" + subkey for reading, closing the key opened before.
  // False (and no key open) when it does not exist.
  bool Open(const std::string& subkey);
  // Opens the key of entry `index` (0..21) of an old to-do list:
  // "ToDo\<i>", "ToDo\work\<i>" or "ToDo\other\<i>".
  bool OpenToDoEntry(ToDoList list, int index);

  // A string value (REG_SZ) of at most kMaxTextBytes bytes with its
  // terminator. On failure `text` stays as it was.
  bool ReadText(const char* name, std::string& text) const;
  // A 32-bit number (REG_DWORD); on failure `number` is 0.
  bool ReadNumber(const char* name, std::int32_t& number) const;
  // A binary value (REG_BINARY) of exactly `size` bytes; on failure the
  // bytes stay as they were.
  bool ReadBytes(const char* name, void* bytes, std::size_t size) const;
  // Opens the subkey and reads its numbers "left" and "top" (each 0 when
  // missing). False when the subkey does not exist.
  bool ReadPosition(const std::string& subkey, store::WindowPosition& position);

 private:
  void Close();

  HKEY key_ = nullptr;
};

// Fills the settings block, already holding the defaults, from the older
// version's values (the "comic" daily web page, the five window positions,
// the two fonts, the backup folder, the "skins" background images, the
// "Colors"). `now` is the time of this first start. A background image named
// there is loaded into its handle slot for this run and its path is kept in
// the block, so later runs load it from the settings.
void ImportLegacyRegistrySettings(store::SettingsBlock& settings, store::Moment now);

}  // namespace platform
