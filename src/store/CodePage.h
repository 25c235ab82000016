// The program's 8-bit texts are in the code page of the Windows they were
// typed on (the system's ANSI code page: 1252 in Western Europe, 1250 in
// Central Europe, 1251 for Cyrillic, 1253 Greek, 1254 Turkish ...); files
// exchanged with other programs carry UTF-8. These convert between the two
// for a given code page, and read and write the small file in which the
// program records its code page for lumetta-cli.
#pragma once

#include <string>
#include <string_view>

namespace store {

class FileSystem;

// Older versions' files, and the code page taken when none is known.
constexpr int kDefaultCodePage = 1252;
// A Windows set to use UTF-8 for its ANSI functions.
constexpr int kUtf8CodePage = 65001;

// The code pages the conversions know: the single-byte Windows code pages
// (874 and 1250 to 1258) and 65001.
bool KnownCodePage(int codePage);

// Every byte becomes its character in `codePage` (one not known is read as
// 1252); bytes the code page leaves undefined become U+FFFD. Under 65001
// the text is passed on, with U+FFFD for what is not valid UTF-8.
std::string EightBitToUtf8(std::string_view text, int codePage);

// Characters `codePage` cannot hold, and bytes that are not valid UTF-8,
// become "?"; `lost` (when given) is increased by their number, so the
// caller can tell the user.
std::string Utf8ToEightBit(std::string_view text, int codePage, int* lost = nullptr);

// The file in the data folder where the program records, at every start,
// the code page it writes its texts in: one line, the number.
constexpr const char* kCodePageFileName = "codepage.txt";

// The code page recorded in `path`; 0 when the file is missing or holds no
// known code page.
int ReadCodePageFile(FileSystem& files, const std::string& path);

// Records `codePage` in `path` unless it holds it already (written safely).
bool WriteCodePageFile(FileSystem& files, const std::string& path, int codePage);

}  // namespace store
