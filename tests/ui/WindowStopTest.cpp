// The window stopped by SIGTERM or SIGINT: as "E&xit", the shutdown runs (its entry in the daily
// log), a script run in progress leaves its report marked interrupted, and the status is 128 +
// the signal.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;

// The whole daily log of the folder (one day's file), or empty.
std::string DailyLogText() {
    std::string text;
    if (fs::is_directory("QUORLIN_LOGS")) {
        for (const auto& entry : fs::directory_iterator("QUORLIN_LOGS")) {
            if (entry.path().extension() == ".log") {
                text += test::ReadFile(entry.path().string());
            }
        }
    }
    return text;
}

// Starts the window with `args`, waits for its start-up entry in the daily log, sends `signal`
// and waits for the end. The exit status, or -1 when it did not exit by itself within a generous
// deadline (it is then killed).
int StartAndStop(const char* args, int signal) {
    // Made before the fork: the child of a threaded process only redirects and executes.
    const std::string command = std::string("exec '" NORDTELLER_BINARY_DIR "/nordteller' ") + args;
    const pid_t pid = ::fork();
    if (pid == 0) {
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Started once its start-up entry is logged; a moment later it is in its event loop. A
    // window that never logs it is stopped after the same two minutes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (DailyLogText().find("Startup") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    ::kill(pid, signal);
    return test::ExitStatusOf(pid);
}

TEST(WindowStop, SignalsAreExitAndEndWithTheirStatus) {
    for (const int signal : {SIGTERM, SIGINT}) {
        test::TempDir dir;
        EXPECT_EQ(StartAndStop("", signal), 128 + signal);
        EXPECT_NE(DailyLogText().find("Shutdown"), std::string::npos) << DailyLogText();
    }
}

// A script run waiting at its prompt: the prompt closes unanswered, the run ends there and its
// report says so.
TEST(WindowStop, ScriptRunAtItsPromptIsMarkedInterrupted) {
    test::TempDir dir;
    test::WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,A\nRun,6,,R,A,Sale,0,0,B\n");
    EXPECT_EQ(StartAndStop("--run-script --report report.html", SIGTERM), 128 + SIGTERM);
    EXPECT_NE(DailyLogText().find("Shutdown"), std::string::npos);
    EXPECT_NE(test::ReadFile("report.html").find("interrupted by SIGTERM"), std::string::npos);
}

}  // namespace
}  // namespace nt
