#pragma once
// The CalDAV accounts kept beside the data file ("Lumetta.accounts", one line
// per account, tab-separated, without passwords), shared by the program and
// lumetta-cli; and where an account's protected password and sync state live.

#include <string>
#include <vector>

#include "store/Platform.h"

namespace store {

struct SyncAccount {
  std::string name;
  std::string url;  // what the user gave
  std::string user;
  std::string calendar;  // the chosen calendar's address
  std::string passwordFile;
  bool allowHttp = false;
};

std::string SyncAccountsPath(const std::string& dataFile);
// The account's password, protected for the user, where the system keeps one.
std::string KeptPasswordPath(const std::string& dataFile, const std::string& account);

std::vector<SyncAccount> ReadSyncAccounts(FileSystem& files, const std::string& path);
bool WriteSyncAccounts(FileSystem& files, const std::string& path,
                       const std::vector<SyncAccount>& accounts);

// A name, address or user name the file can keep (no tabs or line breaks).
bool FitsAccountsFile(const std::string& text);

}  // namespace store
