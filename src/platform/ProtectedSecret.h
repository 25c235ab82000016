#pragma once
// An account's password kept on disk protected with the user's Windows
// credentials (DPAPI): only the same user on the same machine reads it back.

#include <string>

namespace platform {

// Writes `secret` to `path` protected (replacing what was there); false when
// it could not be protected or written.
bool KeepSecret(const std::string& path, const std::string& secret);

// Reads back what KeepSecret wrote; false when there is no such file or it
// cannot be unprotected (another user, another machine, a damaged file).
bool ReadKeptSecret(const std::string& path, std::string& secret);

}  // namespace platform
