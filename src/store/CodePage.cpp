#include "store/CodePage.h"

#include <cstdint>

namespace store {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page defines none.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of a code point, or '?' when the code page has none.
char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (b < 0xA0) {
      const char32_t c = kHighControls[b - 0x80];
      AppendUtf8(c != 0 ? c : 0xFFFD, out);
    } else {
      AppendUtf8(b, out);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += text[i++];
      continue;
    }
    // The length of the sequence and the smallest code point it may carry
    // (longer forms of smaller code points are not valid).
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
      length = 2, c = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3, c = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4, c = b & 0x07, least = 0x10000;
    }
    std::size_t n = 1;
    if (length != 0) {
      while (n < length && i + n < text.size() &&
             (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) {
        c = (c << 6) | (static_cast<unsigned char>(text[i + n]) & 0x3F);
        ++n;
      }
    }
    const bool valid =
        length != 0 && n == length && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    out += valid ? ByteOf(c) : '?';
    i += n;
  }
  return out;
}

}  // namespace store
