// The code pages' conversions against the C library's converters (iconv),
// every character of each one there and back, texts of the scripts the
// code pages are for, what is lost, and the recorded code page file.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "common/Fakes.h"
#include "store/CodePage.h"

using namespace store;

namespace {

constexpr int kSingleByteCodePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

// The byte in UTF-8 by iconv; "" when the code page leaves it undefined.
std::string IconvUtf8(int codePage, unsigned char byte) {
  const std::string name = "CP" + std::to_string(codePage);
  const iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return "(no converter)";
  char in[1] = {static_cast<char>(byte)};
  char out[16] = {};
  char* from = in;
  char* to = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  const bool ok = iconv(cd, &from, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1) &&
                  iconv(cd, nullptr, nullptr, &to, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  return ok && inLeft == 0 ? std::string(out, to) : std::string();
}

}  // namespace

TEST(CodePageTest, EveryByteReadsAsTheSystemConverterReadsItAndComesBack) {
  for (const int codePage : kSingleByteCodePages) {
    ASSERT_TRUE(KnownCodePage(codePage));
    std::string defined;
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      const std::string expected = IconvUtf8(codePage, byte);
      const std::string got = EightBitToUtf8(std::string(1, static_cast<char>(byte)), codePage);
      if (expected.empty()) {
        EXPECT_EQ(got, "\xEF\xBF\xBD") << codePage << " byte " << b;
      } else {
        EXPECT_EQ(got, expected) << codePage << " byte " << b;
        if (b != 0) defined += static_cast<char>(byte);
      }
    }
    int lost = 0;
    EXPECT_EQ(Utf8ToEightBit(EightBitToUtf8(defined, codePage), codePage, &lost), defined)
        << codePage;
    EXPECT_EQ(lost, 0) << codePage;
  }
}

TEST(CodePageTest, TextsOfEachScriptConvertBothWays) {
  const struct {
    int codePage;
    const char* eightBit;
    const char* utf8;
  } cases[] = {
      {1251, "\xC2\xF1\xF2\xF0\xE5\xF7\xE0 \xB9 5", "Встреча № 5"},
      {1250, "Spotkanie z \xA3ukaszem, \x9Croda", "Spotkanie z Łukaszem, środa"},
      {1250, "\x8A\x9E\xE8\xFD\xEC\xF8", "Šžčýěř"},
      {1253, "\xD3\xF5\xED\xDC\xED\xF4\xE7\xF3\xE7 \xA2", "Συνάντηση Ά"},
      {1254, "Toplant\xFD \xDE\xFCkr\xFC \xD0\xDD", "Toplantı Şükrü Ğİ"},
      {1252, "Caf\xE9 \x80 \x96 Zo\xEB", "Café € – Zoë"},
      {65001, "Вс\xE2\x82\xAC", "Вс€"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EightBitToUtf8(c.eightBit, c.codePage), c.utf8) << c.codePage;
    EXPECT_EQ(Utf8ToEightBit(c.utf8, c.codePage), c.eightBit) << c.codePage;
  }
}

TEST(CodePageTest, WhatTheCodePageCannotHoldBecomesAQuestionMarkAndIsCounted) {
  const struct {
    int codePage;
    const char* utf8;
    const char* eightBit;
    int lost;
  } cases[] = {
      {1251, "Łódź и Москва", "??d? \xE8 \xCC\xEE\xF1\xEA\xE2\xE0", 3},
      {1252, "Встреча", "???????", 7},
      {1253, "日本 x \xF0\x9F\x98\x80", "?? x ?", 3},
      {1250, "bad \xC3 \xC0\xAF \xED\xA0\x80 end", "bad ? ? ? end", 3},
      {65001, "ok \xFF", "ok ?", 1},
      {932, "Café", "Caf\xE9", 0},  // a code page not known is read as 1252
  };
  for (const auto& c : cases) {
    int lost = 100;
    EXPECT_EQ(Utf8ToEightBit(c.utf8, c.codePage, &lost), c.eightBit) << c.codePage;
    EXPECT_EQ(lost, 100 + c.lost) << c.codePage;
  }
  EXPECT_EQ(EightBitToUtf8("x\x98y", 1251), "x\xEF\xBF\xBDy");
  EXPECT_EQ(EightBitToUtf8("ok \xFF", 65001), "ok \xEF\xBF\xBD");
  EXPECT_FALSE(KnownCodePage(932));
}

TEST(CodePageTest, TheRecordedCodePageIsReadBackAndAnythingElseIsNone) {
  fakes::MemoryFileSystem files;
  EXPECT_EQ(ReadCodePageFile(files, "codepage.txt"), 0);
  ASSERT_TRUE(WriteCodePageFile(files, "codepage.txt", 1251));
  EXPECT_EQ(files.files["codepage.txt"], "1251\r\n");
  EXPECT_EQ(ReadCodePageFile(files, "codepage.txt"), 1251);
  const struct {
    const char* text;
    int codePage;
  } cases[] = {{"1253", 1253}, {"65001\n", 65001}, {"932\r\n", 0},    {"", 0},
               {"12x", 0},     {"-1251", 0},       {"99999999999", 0}};
  for (const auto& c : cases) {
    files.files["codepage.txt"] = c.text;
    EXPECT_EQ(ReadCodePageFile(files, "codepage.txt"), c.codePage) << c.text;
  }
}
