#pragma once

#include <cstdint>
#include <string>

namespace nt {

// An unfinished save leaves its temporary file ("<file>.XXXXXX" beside the file) when the process
// dies between creating and renaming it. A save takes milliseconds, so one that has not been
// touched for this long belongs to no running save, whichever process made it.
inline constexpr int64_t kStaleTemporarySeconds = 60;

// Removes the regular files beside `path` named "<its name>." and six letters or digits whose
// last change is at least minAgeSeconds old. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path, int64_t minAgeSeconds = kStaleTemporarySeconds);

}  // namespace nt
