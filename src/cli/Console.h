#pragma once
// Where lumetta-cli writes and reads: standard output, error and input
// through C stdio. No C++ stream is made anywhere in the companion: the
// first one sets up the whole C++ locale, a third of a millisecond that a
// one-day agenda would otherwise spend before reading a page.

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

class Console {
 public:
  explicit Console(std::FILE* to) : to_(to) {}
  Console& operator<<(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), to_);
    return *this;
  }
  Console& operator<<(char c) {
    std::fputc(c, to_);
    return *this;
  }
  Console& operator<<(int n) {
    std::fprintf(to_, "%d", n);
    return *this;
  }
  void Flush() { std::fflush(to_); }

 private:
  std::FILE* to_;
};

// One line of standard input without its line break; false at its end.
inline bool ReadInputLine(std::string& line) {
  line.clear();
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

}  // namespace cli
