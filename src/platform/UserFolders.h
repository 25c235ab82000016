#pragma once
// Folders of the signed-in user that a standard user can write to: where
// backups and exports go unless the user chose another place.

#include <string>

namespace platform {

// The user's Documents folder; "" when the system names none.
std::string DocumentsFolder();

// The backup folder of a new user: "Lumetta Backups" in Documents, or "C:"
// where there is no Documents folder.
std::string FirstBackupFolder();

// Makes the folder when it does not exist yet (its parent must exist).
void MakeFolder(const std::string& folder);

}  // namespace platform
