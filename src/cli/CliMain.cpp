// lumetta-cli: the program's command-line companion (see CliCommands.h).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/Console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto host = cli::MakeCliHost();
  cli::Console out(stdout);
  cli::Console err(stderr);
  const int code = cli::RunCli(args, *host, out, err);
  out.Flush();
  return code;
}
