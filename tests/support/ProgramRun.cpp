#include "support/ProgramRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "support/TempDir.h"

namespace nt::test {

namespace fs = std::filesystem;

Outcome Nordteller(const std::string& args, int limitSeconds) {
    std::string errPath = (fs::temp_directory_path() / "nordteller-stderr-XXXXXX").string();
    int fd = ::mkstemp(errPath.data());
    if (fd >= 0) {
        ::close(fd);
    }
    const std::string limit =
        limitSeconds > 0 ? "timeout -s KILL " + std::to_string(limitSeconds) + " " : "";
    const std::string command =
        "exec " + limit + "'" NORDTELLER_BINARY_DIR "/nordteller' " + args + " 2>'" + errPath + "'";
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, n);
    }
    const int raw = ::pclose(pipe);
    if (WIFEXITED(raw)) {
        outcome.status = WEXITSTATUS(raw);
    } else if (WIFSIGNALED(raw)) {
        outcome.signal = WTERMSIG(raw);
    }
    outcome.err = ReadFile(errPath);
    fs::remove(errPath);
    return outcome;
}

Outcome RunScenario(const std::string& scenario, int limitSeconds) {
    WriteFile("test.scenario", scenario);
    return Nordteller("--headless --scenario test.scenario", limitSeconds);
}

bool HasLine(const std::string& out, const std::string& line) {
    return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

int ExitStatusOf(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace nt::test
