#include "transaction/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace nt {

namespace {

// A descriptor closed when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

  private:
    int fd_;
};

// The child's ends are moved above the numbers they go to, so that placing one never
// overwrites another that is still to be placed.
bool MoveHigh(Fd& fd) {
    const int high = ::fcntl(fd.Get(), F_DUPFD_CLOEXEC, 10);
    if (high < 0) {
        return false;
    }
    fd.Reset(high);
    return true;
}

bool NonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// posix_spawn's attribute and file action objects, released on every way out.
struct SpawnSetup {
    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
    SpawnSetup() {
        posix_spawnattr_init(&attr);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
};

std::string SystemError(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Spawn(const std::string& program,
                                                  const std::vector<std::string>& argv,
                                                  std::string& error) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        error = SystemError("Cannot make a socket for the payment client", errno);
        return nullptr;
    }
    Fd mine(pair[0]);
    Fd theirs(pair[1]);
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        error = SystemError("Cannot make a pipe for the payment client", errno);
        return nullptr;
    }
    Fd outRead(out[0]);
    Fd outWrite(out[1]);
    if (::pipe2(err, O_CLOEXEC) != 0) {
        error = SystemError("Cannot make a pipe for the payment client", errno);
        return nullptr;
    }
    Fd errRead(err[0]);
    Fd errWrite(err[1]);
    if (!MoveHigh(theirs) || !MoveHigh(outWrite) || !MoveHigh(errWrite) ||
        !NonBlocking(mine.Get()) || !NonBlocking(outRead.Get()) || !NonBlocking(errRead.Get())) {
        error = SystemError("Cannot prepare the payment client's descriptors", errno);
        return nullptr;
    }

    SpawnSetup setup;
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    posix_spawnattr_setsigmask(&setup.attr, &none);
    posix_spawnattr_setsigdefault(&setup.attr, &all);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    // dup2 clears close-on-exec on the copies; everything from 4 up is closed, whatever a
    // library of this process opened without close-on-exec.
    posix_spawn_file_actions_adddup2(&setup.actions, theirs.Get(), 3);
    posix_spawn_file_actions_adddup2(&setup.actions, outWrite.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, errWrite.Get(), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 4);

    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const int failed =
        ::posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attr, args.data(), environ);
    if (failed != 0) {
        error = SystemError("Cannot start the payment client helper " + program, failed);
        return nullptr;
    }
    return std::unique_ptr<ChildProcess>(
        new ChildProcess(pid, mine.Release(), outRead.Release(), errRead.Release()));
}

ChildProcess::ChildProcess(pid_t pid, int socket, int output, int errors)
    : pid_(pid),
      socket_(socket),
      pipes_{output, errors},
      exitFd_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))) {}

ChildProcess::~ChildProcess() {
    if (!reaped_) {
        Signal(SIGKILL);
        Reap();
    }
    CloseSocket();
    ClosePipe(0);
    ClosePipe(1);
    if (exitFd_ >= 0) {
        ::close(exitFd_);
    }
}

void ChildProcess::CloseSocket() {
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

void ChildProcess::ClosePipe(int which) {
    if (pipes_[which] >= 0) {
        ::close(pipes_[which]);
        pipes_[which] = -1;
    }
}

void ChildProcess::Signal(int signal) {
    // Until it is reaped the number cannot go to another process.
    if (!reaped_) {
        ::kill(pid_, signal);
    }
}

bool ChildProcess::TryReap() {
    if (!reaped_) {
        int status = 0;
        pid_t got = 0;
        while ((got = ::waitpid(pid_, &status, WNOHANG)) < 0 && errno == EINTR) {
        }
        if (got == pid_ || (got < 0 && errno == ECHILD)) {
            reaped_ = true;
            status_ = got == pid_ ? status : 0;
        }
    }
    return reaped_;
}

void ChildProcess::Reap() {
    if (!reaped_) {
        int status = 0;
        pid_t got = 0;
        while ((got = ::waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        status_ = got == pid_ ? status : 0;
    }
}

std::string ChildProcess::Describe() const {
    if (WIFSIGNALED(status_)) {
        const int signal = WTERMSIG(status_);
        const char* name = sigdescr_np(signal);
        return "signal " + std::to_string(signal) + " (" + (name != nullptr ? name : "unknown") +
               ")";
    }
    return "exit status " + std::to_string(WEXITSTATUS(status_));
}

}  // namespace nt
