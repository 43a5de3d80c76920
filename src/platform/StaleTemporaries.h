#pragma once

#include <cstdint>
#include <string>

namespace nt {

// An atomic save writes a temporary file beside its target, named so that no person would
// choose it: "<dir>/.<name>.nordteller-XXXXXX.tmp" (six letters or digits). A process that dies
// between creating and renaming it leaves it behind. A save takes milliseconds, so one that has
// not been touched for this long belongs to no running save, whichever process made it.
inline constexpr int64_t kStaleTemporarySeconds = 60;

// The mkstemps pattern of the temporary files of `path`, and the length of its suffix.
std::string TemporaryPattern(const std::string& path);
inline constexpr int kTemporarySuffixLength = 4;

// The path of the file a temporary file is made for; any other path unchanged.
std::string TemporaryTarget(const std::string& path);

// A name of that form beside `path`, its six letters and digits drawn at random, for a file made
// under it in one step (a link); the maker draws again when the name is taken.
std::string TemporaryNameBeside(const std::string& path);

// Creates a temporary file beside `path` (mode 0600, close-on-exec) and puts its name in `name`.
// -1 when it cannot be created.
int CreateTemporaryBeside(const std::string& path, std::string& name);

// Removes the regular files beside `path` that are its temporary files as named above and whose
// last change is at least minAgeSeconds old; nothing else is touched. For a symbolic link they
// are looked for beside the file it names, where saves make them. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path, int64_t minAgeSeconds = kStaleTemporarySeconds);

}  // namespace nt
