#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace nt::fuzz {

// Moves the process into a fresh temporary directory, removed at exit, so the window's files
// (sequence number, pad selection, logs) never land in the source tree. It lives in memory when
// /dev/shm is there: the sequence number's flush to disk on every command would otherwise set the
// pace. Corpus and artifact paths given to the fuzzer must be absolute.
inline void EnterScratchDirectory() {
    std::error_code probe;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", probe)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    static std::string dir = (base / "nordteller-fuzz-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::abort();
    }
    std::filesystem::current_path(dir);
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    });
}

}  // namespace nt::fuzz
