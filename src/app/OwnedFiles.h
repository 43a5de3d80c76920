#pragma once

#include <array>
#include <optional>
#include <string>

namespace nt {

// What the program keeps in its working folder: the sequence number, the pad selection, the test
// script, the simulators' books, the folder lock, and the log folder with everything in it. No
// file the user names as an output may be one of them.
std::array<const char*, 7> OwnedFiles();

// The owned file that `path` names (also through a link or another spelling, or anywhere inside
// the log folder), relative to the working folder; nullopt when it names none.
std::optional<std::string> OwnedFileAt(const std::string& path);

// Whether two paths name one file: the same file when both exist, the same place when not.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace nt
