#include "support/RunProgram.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "support/TempDir.h"

namespace nt::test {

ProgramRun RunNordteller(const std::string& args) {
    namespace fs = std::filesystem;
    // stderr goes outside the current directory, so it holds only what the program made.
    std::string errPath = (fs::temp_directory_path() / "nordteller-stderr-XXXXXX").string();
    int fd = ::mkstemp(errPath.data());
    if (fd >= 0) {
        ::close(fd);
    }
    const std::string command =
        "exec '" NORDTELLER_BINARY_DIR "/nordteller' " + args + " 2>'" + errPath + "'";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe != nullptr) {
        char buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            run.out.append(buffer, n);
        }
        const int raw = ::pclose(pipe);
        if (WIFEXITED(raw)) {
            run.exitStatus = WEXITSTATUS(raw);
        } else if (WIFSIGNALED(raw)) {
            run.signal = WTERMSIG(raw);
        }
    }
    run.err = ReadFile(errPath);
    fs::remove(errPath);
    return run;
}

}  // namespace nt::test
