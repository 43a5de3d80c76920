#include "platform/StopSignal.h"

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace nt {
namespace {

// The first signal is only recorded, with a byte for an event loop to wake on; the default
// action is back in place for a second one, which then ends the program at once.
TEST(StopSignal, FirstSignalIsRecordedAndTheSecondFindsTheDefaultAction) {
    ASSERT_TRUE(CatchStopSignals());
    ClearStopSignal();
    ASSERT_GE(StopSignalFd(), 0);
    ::raise(SIGTERM);
    EXPECT_EQ(StopSignal(), SIGTERM);
    EXPECT_EQ(StopExitStatus(StopSignal()), 143);
    char byte = 0;
    EXPECT_EQ(::read(StopSignalFd(), &byte, 1), 1);
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGTERM, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    ASSERT_EQ(::sigaction(SIGINT, nullptr, &now), 0);
    EXPECT_NE(now.sa_handler, SIG_DFL);  // the other one still stops cleanly

    ::raise(SIGINT);
    EXPECT_EQ(StopSignal(), SIGTERM);  // the first signal names the stop
    ClearStopSignal();
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(::read(StopSignalFd(), &byte, 1), -1);  // drained
    ::signal(SIGINT, SIG_DFL);
}

}  // namespace
}  // namespace nt
