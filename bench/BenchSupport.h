#pragma once

#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <string>
#include <vector>

namespace nt::bench {

// A stream buffer that takes everything and keeps nothing: a transcript or progress nobody reads.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The processor time of the whole process so far (every thread, user and system), in seconds.
inline double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Milliseconds since `since`.
inline double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A "Vm…:" figure of the process in kB, from /proc; -1 when it cannot be read.
inline long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::atol(line.c_str() + std::string(field).size());
        }
    }
    return -1;
}

// The process's resident memory now, and its peak so far.
inline long ResidentKb() {
    return StatusKb("VmRSS:");
}
inline long PeakResidentKb() {
    return StatusKb("VmHWM:");
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
