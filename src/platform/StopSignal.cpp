#include "platform/StopSignal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace nt {

namespace {

std::atomic<int> g_signal{0};
int g_pipe[2] = {-1, -1};

// Only async-signal-safe work: a store, a write that cannot block, errno kept.
void OnStopSignal(int signal) {
    const int saved = errno;
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
    if (g_pipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &byte, 1);
    }
    errno = saved;
}

bool OpenPipe() {
    if (g_pipe[0] >= 0) {
        return true;
    }
    return ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) == 0;
}

}  // namespace

bool CatchStopSignals() {
    if (!OpenPipe()) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // A call in progress goes on; the second signal finds the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
}

int StopSignal() {
    return g_signal.load(std::memory_order_relaxed);
}

bool StopRequested() {
    return StopSignal() != 0;
}

int StopSignalFd() {
    return g_pipe[0];
}

int StopExitStatus(int signal) {
    return 128 + signal;
}

const char* StopSignalName(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        default:
            return "a signal";
    }
}

void ClearStopSignal() {
    g_signal.store(0, std::memory_order_relaxed);
    if (g_pipe[0] >= 0) {
        char buffer[64];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
    }
}

}  // namespace nt
