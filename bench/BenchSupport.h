#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace nt::bench {

// The process's resident memory in kB, from /proc; -1 when it cannot be read.
inline long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// The process's peak resident memory so far in kB, from /proc; -1 when it cannot be read.
inline long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// Makes a fresh temporary directory named after `prefix` the current directory, so the window's
// files land there; its path, or empty after a message on stderr when that fails.
inline std::string EnterTemporaryDirectory(const char* prefix) {
    std::string dir =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(dir.data()) == nullptr || ::chdir(dir.c_str()) != 0) {
        std::perror("temporary directory");
        return {};
    }
    return dir;
}

}  // namespace nt::bench
