#pragma once
// The command-line parser: it keeps the last plain (non-flag) argument and
// passes nothing on. Nothing reads what it keeps: the command line, flags
// for printing or opening files included, has no effect on the program.

#include <string>

namespace shell {

class MyCmdLine {
 public:
  void ParseParam(const char* param, bool flag) {
    if (!flag && param != nullptr) lastPlainArgument_ = param;
  }
  // Every argument after the program's name; "-x" and "/x" are flags.
  void Parse(int argc, char** argv) {
    for (int i = 1; i < argc && argv != nullptr; ++i) {
      const char* arg = argv[i];
      const bool flag = arg != nullptr && (arg[0] == '-' || arg[0] == '/');
      ParseParam(flag ? arg + 1 : arg, flag);
    }
  }

 private:
  std::string lastPlainArgument_;
};

}  // namespace shell
