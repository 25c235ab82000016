// Helpers for the fixed-width fields of the program's files: little-endian
// integers and zero-terminated 8-bit texts that are cut to their field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace store {

// Copies `text` into a field of `width` bytes (width >= 1): at most width - 1
// characters (never past an embedded zero byte), always zero-terminated, the
// rest of the field zero.
void CopyToField(char* field, std::size_t width, std::string_view text);

// The text of a field: up to its first zero byte, or the whole width when it
// has none.
std::string ReadField(const char* field, std::size_t width);
// The same text in place, for filling a string that is used again and again.
std::string_view FieldText(const char* field, std::size_t width);

inline void PutInt32(unsigned char* p, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

inline std::int32_t GetInt32(const unsigned char* p) {
  const std::uint32_t v =
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return static_cast<std::int32_t>(v);
}

}  // namespace store
