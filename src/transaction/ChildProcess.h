#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace nt {

// A program started as a child process with a socket to it (its descriptor 3), its standard
// output and error on pipes and its standard input on /dev/null. It inherits no other
// descriptor (not the folder lock, not the daily log), and starts with the default signal
// dispositions and no signal blocked. The parent's ends are non-blocking.
class ChildProcess {
  public:
    // Starts `program` with `argv` (argv[0] first). Null with the system's reason when it
    // cannot be started.
    static std::unique_ptr<ChildProcess> Spawn(const std::string& program,
                                               const std::vector<std::string>& argv,
                                               std::string& error);
    // A child still running is killed and reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    int Socket() const { return socket_; }
    void CloseSocket();
    // The read ends of its standard output (0) and error (1); -1 once closed.
    int Pipe(int which) const { return pipes_[which]; }
    void ClosePipe(int which);

    // Readable once the child has ended (a pidfd); -1 where the system has none.
    int ExitFd() const { return exitFd_; }

    // Sends `signal` unless it has been reaped.
    void Signal(int signal);
    // Reaps it when it has ended; true once it has.
    bool TryReap();
    // Waits for it to end.
    void Reap();
    // How it ended: "exit status 0", "signal 11 (Segmentation fault)".
    std::string Describe() const;

  private:
    ChildProcess(pid_t pid, int socket, int output, int errors);

    pid_t pid_;
    int socket_;
    int pipes_[2];
    int exitFd_;
    bool reaped_ = false;
    int status_ = 0;
};

}  // namespace nt
