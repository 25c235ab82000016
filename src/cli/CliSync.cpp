#include "cli/CliSync.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "store/AppointmentBook.h"
#include "store/CalDavSync.h"
#include "store/SafeFile.h"
#include "store/SyncAccounts.h"
#include "store/SyncState.h"

namespace cli {

namespace {

using namespace store;

// Where a password comes from when no file is named.
constexpr const char* kPasswordVariable = "LUMETTA_CALDAV_PASSWORD";

// The password: from the named file, the environment, the kept one, or asked for.
bool Password(CliHost& host, const std::string& file, const std::string& kept,
              const std::string& user, std::string& out, Console& err) {
  if (!file.empty()) {
    const std::unique_ptr<InputFile> in = host.Files().OpenRead(file);
    if (!in) {
      err << "the password file \"" << file << "\" cannot be read\n";
      return false;
    }
    char buffer[1024];
    const std::size_t n = in->Read(buffer, sizeof buffer);
    out.assign(buffer, n);
    const std::size_t end = out.find_first_of("\r\n");
    if (end != std::string::npos) out.erase(end);
    return true;
  }
  if (const char* value = std::getenv(kPasswordVariable)) {
    out = value;
    return true;
  }
  if (!kept.empty() && host.KeptPassword(kept, out)) return true;
  if (host.ReadSecret("Password for " + user + ": ", out)) return true;
  err << "no password: name a file with --password-file, set " << kPasswordVariable
      << ", or type it when asked\n";
  return false;
}

int ExitCode(SyncOutcome outcome) {
  switch (outcome) {
    case SyncOutcome::Done:
      return 0;
    case SyncOutcome::AskFirst:
      return 3;
    case SyncOutcome::AuthFailed:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

int AccountCommand(CliHost& host, const std::vector<std::string>& words, const SyncArgs& args,
                   const std::string& dataFile, Console& out, Console& err) {
  const std::string path = SyncAccountsPath(dataFile);
  std::vector<SyncAccount> accounts = ReadSyncAccounts(host.Files(), path);
  const std::string what = words.empty() ? std::string() : words[0];
  if (what == "list" && words.size() == 1) {
    for (const SyncAccount& a : accounts) {
      out << a.name << "  " << a.user << "  " << a.calendar << '\n';
    }
    return 0;
  }
  if (what == "remove" && words.size() == 2) {
    const std::size_t before = accounts.size();
    accounts.erase(std::remove_if(accounts.begin(), accounts.end(),
                                  [&](const SyncAccount& a) { return a.name == words[1]; }),
                   accounts.end());
    if (accounts.size() == before) {
      err << "no account named \"" << words[1] << "\"\n";
      return 1;
    }
    if (!WriteSyncAccounts(host.Files(), path, accounts)) {
      err << "the accounts file \"" << path << "\" could not be written\n";
      return 1;
    }
    host.Files().Remove(SyncStatePath(dataFile, words[1]));
    host.Files().Remove(KeptPasswordPath(dataFile, words[1]));
    out << "Removed the account \"" << words[1] << "\".\n";
    return 0;
  }
  if (what != "add" || words.size() != 2 || args.user.empty()) {
    err << "account add URL --user NAME [--name NAME] [--calendar NAME] [--password-file FILE], "
           "account list, or account remove NAME\n";
    return 2;
  }
  SyncAccount account;
  account.name = args.account.empty() ? "default" : args.account;
  account.url = words[1];
  account.user = args.user;
  account.passwordFile = args.passwordFile;
  account.allowHttp = args.allowHttp;
  if (!FitsAccountsFile(account.name) || !FitsAccountsFile(account.url) ||
      !FitsAccountsFile(account.user) || !FitsAccountsFile(account.passwordFile) ||
      account.name.empty()) {
    err << "names and addresses cannot hold tabs or line breaks\n";
    return 2;
  }
  for (const SyncAccount& a : accounts) {
    if (a.name == account.name) {
      err << "there is already an account named \"" << account.name
          << "\" (account remove it first, or give --name)\n";
      return 1;
    }
  }
  std::string password;
  if (!Password(host, account.passwordFile, std::string(), account.user, password, err)) return 1;
  const std::unique_ptr<HttpTransport> http = host.Http(account.user, password);
  const Discovery found = DiscoverCalendars(*http, account.url, account.allowHttp);
  if (found.outcome != SyncOutcome::Done) {
    err << "No account was added: " << found.message << ".\n";
    return ExitCode(found.outcome);
  }
  std::vector<DavCalendar> chosen;
  for (const DavCalendar& c : found.calendars) {
    if (args.calendar.empty() || c.name == args.calendar || c.url == args.calendar) {
      chosen.push_back(c);
    }
  }
  if (chosen.size() != 1) {
    err << (chosen.empty() ? "No calendar of that name; the calendars are:\n"
                           : "Choose one calendar with --calendar NAME; the calendars are:\n");
    for (const DavCalendar& c : found.calendars) err << "  " << c.name << "  " << c.url << '\n';
    return 1;
  }
  account.calendar = chosen[0].url;
  accounts.push_back(account);
  if (!WriteSyncAccounts(host.Files(), path, accounts)) {
    err << "the accounts file \"" << path << "\" could not be written\n";
    return 1;
  }
  if (account.passwordFile.empty()) {
    host.KeepPassword(KeptPasswordPath(dataFile, account.name), password);
  }
  out << "Added the account \"" << account.name << "\": " << account.calendar << '\n';
  return 0;
}

int SyncCommand(CliHost& host, All_Appointments& book, const SyncArgs& args,
                const std::string& dataFile, const std::string& writeFile,
                const std::string& notesFolder, Console& out, Console& err) {
  const std::vector<SyncAccount> accounts =
      ReadSyncAccounts(host.Files(), SyncAccountsPath(dataFile));
  const SyncAccount* account = nullptr;
  for (const SyncAccount& a : accounts) {
    if (args.account.empty() ? accounts.size() == 1 : a.name == args.account) account = &a;
  }
  if (account == nullptr) {
    err << (accounts.empty() ? "no account: add one with lumetta-cli account add URL --user NAME"
            : args.account.empty() ? "several accounts: name one with --account NAME"
                                   : "no account named \"" + args.account + "\"")
        << '\n';
    return 2;
  }
  std::string password;
  const std::string file = args.passwordFile.empty() ? account->passwordFile : args.passwordFile;
  if (!Password(host, file, KeptPasswordPath(dataFile, account->name), account->user, password,
                err)) {
    return 1;
  }
  const std::unique_ptr<HttpTransport> http = host.Http(account->user, password);
  std::error_code ignored;
  std::filesystem::create_directory(notesFolder, ignored);
  const DayNotesFiles notes(host.Files(), notesFolder);
  CalDavSync sync(*http, book, notes, account->calendar, SyncStatePath(writeFile, account->name),
                  [&]() { return book.SaveTo(writeFile); });
  SyncOptions options;
  options.allowManyDeletes = args.allowDeletes;
  options.allowPlainHttp = account->allowHttp || args.allowHttp;
  const SyncReport report = sync.Run(options);
  if (report.outcome != SyncOutcome::Done) {
    err << "Sync with \"" << account->name << "\" stopped: " << report.message << ".\n";
    if (report.downloaded + report.uploaded + report.deletedHere + report.deletedThere +
            report.conflicts >
        0) {
      err << "Before it stopped: " << report.Line() << '\n';
    }
    return ExitCode(report.outcome);
  }
  out << report.Line() << '\n';
  return 0;
}

}  // namespace cli
