#pragma once
// lumetta-cli's CalDAV commands: the accounts (kept beside the data file,
// without passwords) and the sync of the diary with an account's calendar.

#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "cli/Console.h"

namespace store {
class All_Appointments;
}

namespace cli {

struct SyncArgs {
  std::string account;        // --account / --name
  std::string user;           // --user
  std::string calendar;       // --calendar: a calendar's name or address
  std::string passwordFile;   // --password-file
  bool allowDeletes = false;  // --allow-deletes
  bool allowHttp = false;     // --allow-http
};

// account add URL --user NAME | account list | account remove NAME
int AccountCommand(CliHost& host, const std::vector<std::string>& words, const SyncArgs& args,
                   const std::string& dataFile, Console& out, Console& err);

// Syncs `book` (loaded from `dataFile`, written to `writeFile`).
int SyncCommand(CliHost& host, store::All_Appointments& book, const SyncArgs& args,
                const std::string& dataFile, const std::string& writeFile,
                const std::string& notesFolder, Console& out, Console& err);

}  // namespace cli
