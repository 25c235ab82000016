// Writing a file so that it is never left half-written: the contents go to a
// temporary file in the same folder, which is flushed to the disk and then put
// in the place of the old file in one step. Every writer of the program's own
// files uses this.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "store/Platform.h"

namespace store {

// The temporary file used while `path` is written.
std::string TemporaryPathFor(const std::string& path);

// Calls `writeContents` with the temporary file; when it and the flush
// succeed, the temporary file replaces `path`. On any failure the temporary
// file is removed, the file at `path` is untouched, and the answer is false.
bool WriteFileSafely(FileSystem& files, const std::string& path,
                     const std::function<bool(OutputFile&)>& writeContents);

// The same for contents already in memory.
bool WriteFileSafely(FileSystem& files, const std::string& path, const void* data,
                     std::size_t size);

// The folder part of a path, with its trailing separator ("" for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace store
