#include "platform/LegacyRegistry.h"

#include <cstring>
#include <vector>

#include "platform/BackgroundImages.h"
#include "platform/UserFolders.h"
#include "store/Settings.h"

namespace platform {

File::~File() { Close(); }

void File::Close() {
  if (key_ != nullptr) RegCloseKey(key_);
  key_ = nullptr;
}

bool File::Open(const std::string& subkey) {
  Close();
  const std::string path = std::string(kRoot) + "\\" + subkey;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  key_ = key;
  return true;
}

bool File::OpenToDoEntry(ToDoList list, int index) {
  const char* folder = list == ToDoList::Work    ? "ToDo\\work\\"
                       : list == ToDoList::Other ? "ToDo\\other\\"
                                                 : "ToDo\\";
  return Open(folder + std::to_string(index));
}

bool File::ReadText(const char* name, std::string& text) const {
  if (key_ == nullptr) return false;
  // One byte more than the limit: a value that fills it is too long.
  char buffer[kMaxTextBytes + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof buffer;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  // A value stored without its terminator counts one byte longer.
  std::size_t length = size;
  while (length > 0 && buffer[length - 1] == '\0') --length;
  const std::size_t withTerminator = length + 1;
  if (withTerminator > kMaxTextBytes) return false;
  // The text ends at its first zero byte, like every string the program reads.
  text.assign(buffer, std::strlen(buffer));
  return true;
}

bool File::ReadNumber(const char* name, std::int32_t& number) const {
  number = 0;
  if (key_ == nullptr) return false;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value) {
    return false;
  }
  number = static_cast<std::int32_t>(value);
  return true;
}

bool File::ReadBytes(const char* name, void* bytes, std::size_t size) const {
  if (key_ == nullptr) return false;
  // Read into a buffer one byte larger, so a longer value is told apart.
  std::vector<BYTE> buffer(size + 1);
  DWORD type = 0;
  DWORD got = static_cast<DWORD>(buffer.size());
  if (RegQueryValueExA(key_, name, nullptr, &type, buffer.data(), &got) != ERROR_SUCCESS ||
      type != REG_BINARY || got != size) {
    return false;
  }
  std::memcpy(bytes, buffer.data(), size);
  return true;
}

bool File::ReadPosition(const std::string& subkey, store::WindowPosition& position) {
  const bool opened = Open(subkey);
  std::int32_t left = 0;
  std::int32_t top = 0;
  ReadNumber("left", left);
  ReadNumber("top", top);
  position.left = left;
  position.top = top;
  return opened;
}

namespace {

// The daily web page time read from "when": seconds since 1970, taken only
// when plausible.
store::Moment WebPageTime(bool read, std::int32_t when, store::Moment now) {
  if (!read || when <= 9998) return now;
  if (static_cast<long long>(when) > static_cast<long long>(now) + 99999) return now;
  return when;
}

void ImportWebPage(File& file, store::SettingsBlock& s, store::Moment now) {
  std::int32_t enable = 0;
  if (!file.Open("comic") || !file.ReadNumber("enable", enable)) return;
  s.webPageEnabled = enable == 1 ? 1 : 0;
  std::int32_t number = 0;
  file.ReadNumber("weekdays", number);
  s.webPageWeekdaysOnly = number == 1 ? 1 : 0;
  std::string url;
  file.ReadText("url", url);
  store::SetText(s.webPageAddress, url);
  const bool whenRead = file.ReadNumber("when", number);
  s.webPageTime = store::TimeOfDayMoment(WebPageTime(whenRead, number, now));
  file.ReadNumber("ask", number);
  s.webPageAskFirst = number == 1 ? 1 : 0;
}

void ImportFont(File& file, const char* name, store::FontDescription& font) {
  store::FontDescription read;
  if (file.Open(name) && file.ReadBytes(name, &read, sizeof read)) font = read;
}

template <std::size_t N>
void ImportImage(File& file, const char* name, char (&path)[N], std::uint32_t& slot) {
  std::string text;
  if (!file.ReadText(name, text) || IsNoImagePath(text)) return;
  store::SetText(path, text);
  slot = ImageToSlot(LoadBackgroundImage(text));
}

}  // namespace

void ImportLegacyRegistrySettings(store::SettingsBlock& s, store::Moment now) {
  File file;
  ImportWebPage(file, s, now);

  file.ReadPosition("todoposition", s.toDoPosition);
  file.ReadPosition("position", s.mainWindowPosition);
  file.ReadPosition("yearposition", s.yearViewPosition);
  file.ReadPosition("weekposition", s.weekViewPosition);
  file.ReadPosition("dayposition", s.dayPlannerPosition);

  ImportFont(file, "font", s.mainFont);
  ImportFont(file, "font2", s.plannerFont);

  // A new user's backups go where a standard user can write.
  std::string folder = FirstBackupFolder();
  if (file.Open("backup")) file.ReadText("folder", folder);
  store::SetText(s.backupFolder, folder);

  if (file.Open("skins")) {
    ImportImage(file, "main", s.mainImage, s.mainImageHandle);
    ImportImage(file, "dayplanner", s.plannerImage, s.plannerImageHandle);
  }

  if (file.Open("Colors")) {
    struct Role {
      const char* name;
      store::Colour* colour;
    } roles[] = {{"fore", &s.fore},
                 {"back", &s.back},
                 {"dayplan1", &s.dayplan1},
                 {"dayplan2", &s.dayplan2},
                 {"toplite", &s.toplite},
                 {"botlite", &s.botlite},
                 {"currentday", &s.currentday},
                 {"hasappoint", &s.hasappoint}};
    for (const Role& role : roles) {
      std::int32_t value = 0;
      if (file.ReadNumber(role.name, value)) *role.colour = static_cast<store::Colour>(value);
    }
  }
}

}  // namespace platform
