#pragma once

namespace nt {

// SIGINT and SIGTERM ask the program to stop: the run in progress finishes its test case,
// writes what it has and ends with 128 + the signal. The handler only records the signal and
// writes a byte to a pipe an event loop can watch; it then falls back to the default action, so
// a second signal while stopping ends the program at once.
//
// Installs the handlers; false (errno set) when they could not be installed. Calling it again
// re-arms them after a stop was taken (tests).
bool CatchStopSignals();

// The signal that asked for a stop, or 0.
int StopSignal();
bool StopRequested();

// The read end of the pipe the handler writes one byte to, -1 before CatchStopSignals; for an
// event loop to wake on. Non-blocking.
int StopSignalFd();

// 130 for SIGINT, 143 for SIGTERM: the status of a program a signal stopped.
int StopExitStatus(int signal);

// "SIGINT", "SIGTERM", or "a signal".
const char* StopSignalName(int signal);

// Forgets a stop (tests, and a window that runs on after a script was stopped by a test).
void ClearStopSignal();

}  // namespace nt
