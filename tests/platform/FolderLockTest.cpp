#include "platform/FolderLock.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::WriteFile;

// The program in headless mode, holding the folder while it waits for its scenario on a pipe.
pid_t StartHolder(int& scenarioPipe) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[0], 0);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execl(NORDTELLER_BINARY_DIR "/nordteller", "nordteller", "--headless", "--scenario", "-",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[0]);
    scenarioPipe = fds[1];
    return pid;
}

// Polls until the holder has written its process id into the lock file.
bool HolderReady(pid_t pid) {
    const std::string expected = std::to_string(pid) + "\n";
    for (int i = 0; i < 500; ++i) {
        if (ReadFile(FolderLock::kFileName) == expected) {
            return true;
        }
        ::usleep(10'000);
    }
    return false;
}

TEST(FolderLock, ASecondInstanceIsRefusedAndAKilledHolderBlocksNothing) {
    test::TempDir dir;
    WriteFile("testseqNo.dat", "0010010042");
    WriteFile("Script.csv", "Run,5,,1,,Sale,0,0,one\r\n");
    int scenarioPipe = -1;
    const pid_t holder = StartHolder(scenarioPipe);
    ASSERT_GT(holder, 0);
    ASSERT_TRUE(HolderReady(holder));
    const std::string folder = std::filesystem::canonical(dir.path()).string();
    const std::string inUse = "the folder " + folder +
                              " is in use by another instance of nordteller (process " +
                              std::to_string(holder) + ")";
    {
        FolderLock second(".");
        EXPECT_FALSE(second.Held());
        EXPECT_EQ(second.InUseText(), inUse);
    }
    for (const char* args : {"--headless --run-script", "--headless --scenario -"}) {
        test::Outcome r = test::Nordteller(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err, "nordteller: " + inUse + "\n") << args;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_EQ(ReadFile(FolderLock::kFileName), std::to_string(holder) + "\n");
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010042");

    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(scenarioPipe);
    {
        FolderLock next(".");
        EXPECT_TRUE(next.Held());
        EXPECT_EQ(ReadFile(FolderLock::kFileName), std::to_string(::getpid()) + "\n");
    }
    test::Outcome r = test::Nordteller("--headless --run-script");
    EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace nt
