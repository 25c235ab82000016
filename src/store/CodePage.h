// The program's 8-bit texts are in the Windows code page 1252 (Western
// European); files exchanged with other programs carry UTF-8. These convert
// between the two.
#pragma once

#include <string>
#include <string_view>

namespace store {

// Every byte becomes its character in code page 1252; the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

// Characters that code page 1252 cannot hold, and bytes that are not valid
// UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace store
