#include "platform/WriteFault.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>

#include "platform/StaleTemporaries.h"

namespace nt {

namespace {

std::atomic<bool> g_armed{false};
std::mutex g_mutex;
WriteFault g_fault;
size_t g_passed = 0;

bool Matches(int fd) {
    if (g_fault.pathContains.empty()) {
        return true;
    }
    char path[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    ssize_t n = ::readlink(link.c_str(), path, sizeof path - 1);
    if (n < 0) {
        return false;
    }
    // A save's temporary file counts as the file it replaces.
    return TemporaryTarget(std::string(path, static_cast<size_t>(n))).find(g_fault.pathContains) !=
           std::string::npos;
}

}  // namespace

void ArmWriteFault(const WriteFault& fault) {
    std::lock_guard lock(g_mutex);
    g_fault = fault;
    g_passed = 0;
    g_armed.store(true, std::memory_order_release);
}

void DisarmWriteFault() {
    std::lock_guard lock(g_mutex);
    g_armed.store(false, std::memory_order_release);
}

size_t WriteFaultBytesPassed() {
    std::lock_guard lock(g_mutex);
    return g_passed;
}

bool WriteFaultArmed() {
    return g_armed.load(std::memory_order_acquire);
}

ssize_t WriteSome(int fd, const void* data, size_t size) {
    if (!g_armed.load(std::memory_order_relaxed)) {
        return ::write(fd, data, size);
    }
    std::lock_guard lock(g_mutex);
    if (!g_armed.load(std::memory_order_relaxed) || !Matches(fd)) {
        return ::write(fd, data, size);
    }
    const size_t left = g_fault.bytesBeforeFailure - g_passed;
    if (left == 0 && size > 0) {
        errno = g_fault.error;
        return -1;
    }
    ssize_t n = ::write(fd, data, size < left ? size : left);
    if (n > 0) {
        g_passed += static_cast<size_t>(n);
    }
    return n;
}

}  // namespace nt
