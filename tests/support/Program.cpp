#include "support/Program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "support/TempDir.h"

namespace nt::test {

ProgramOutcome RunNordteller(const std::string& args) {
    namespace fs = std::filesystem;
    std::string errPath = (fs::temp_directory_path() / "nordteller-stderr-XXXXXX").string();
    int fd = ::mkstemp(errPath.data());
    if (fd >= 0) {
        ::close(fd);
    }
    std::string command = "'" NORDTELLER_BINARY_DIR "/nordteller' " + args + " 2>'" + errPath + "'";
    ProgramOutcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe != nullptr) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            outcome.out.append(buffer, n);
        }
        int raw = ::pclose(pipe);
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    outcome.err = ReadFile(errPath);
    fs::remove(errPath);
    return outcome;
}

}  // namespace nt::test
