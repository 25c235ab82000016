// lumetta-cli: the program's command-line companion (see CliCommands.h).
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto host = cli::MakeCliHost();
  const int code = cli::RunCli(args, *host, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
