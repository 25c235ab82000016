#pragma once
// The commands of lumetta-cli, the program's command-line companion: the
// agenda of some days, a search, and iCalendar export and import on the data
// file the program uses. Only import-ics writes the data file, and only
// while the program is not running; the agenda keeps its index beside it.

#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "cli/Console.h"

namespace cli {

// Runs the command line (without the program name); answers the exit code:
// 0 done, 1 nothing found or the command failed, 2 a usage error.
int RunCli(const std::vector<std::string>& args, CliHost& host, Console& out, Console& err);

}  // namespace cli
