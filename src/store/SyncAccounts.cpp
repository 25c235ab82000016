#include "store/SyncAccounts.h"

#include "store/SafeFile.h"

namespace store {

std::string SyncAccountsPath(const std::string& dataFile) {
  return FolderOf(dataFile) + "Lumetta.accounts";
}

std::string KeptPasswordPath(const std::string& dataFile, const std::string& account) {
  return FolderOf(dataFile) + "Lumetta." + account + ".key";
}

std::vector<SyncAccount> ReadSyncAccounts(FileSystem& files, const std::string& path) {
  std::vector<SyncAccount> accounts;
  const std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (!in) return accounts;
  const std::string text = in->ReadRest();
  for (std::size_t at = 0; at < text.size();) {
    std::size_t nl = text.find('\n', at);
    if (nl == std::string::npos) nl = text.size();
    const std::string line = text.substr(at, nl - at);
    at = nl + 1;
    std::vector<std::string> f;
    for (std::size_t p = 0;;) {
      const std::size_t tab = line.find('\t', p);
      f.push_back(line.substr(p, tab == std::string::npos ? std::string::npos : tab - p));
      if (tab == std::string::npos) break;
      p = tab + 1;
    }
    if (f.size() != 7 || f[0] != "account") continue;
    accounts.push_back(SyncAccount{f[1], f[2], f[3], f[4], f[5], f[6] == "1"});
  }
  return accounts;
}

bool WriteSyncAccounts(FileSystem& files, const std::string& path,
                       const std::vector<SyncAccount>& accounts) {
  std::string text;
  for (const SyncAccount& a : accounts) {
    text += "account\t" + a.name + "\t" + a.url + "\t" + a.user + "\t" + a.calendar + "\t" +
            a.passwordFile + "\t" + (a.allowHttp ? "1" : "0") + "\n";
  }
  return WriteFileSafely(files, path, text.data(), text.size());
}

bool FitsAccountsFile(const std::string& text) {
  for (const char c : text) {
    if (c == '\t' || c == '\n' || c == '\r') return false;
  }
  return true;
}

}  // namespace store
