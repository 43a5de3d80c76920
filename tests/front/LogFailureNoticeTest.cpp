#include "front/LogFailureNotice.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "support/TempDir.h"

namespace nt {
namespace {

// A log folder that is a file stops the writer at its first line: told once after start-up, on
// the stream and to the front end's own notice, and never again; a writer that works tells
// nothing.
TEST(LogFailureNotice, TellsAStoppedLogOnceOnBothChannels) {
    test::TempDir dir;
    test::WriteFile("logs", "");
    ManualClock clock;
    CLogWriter writer("logs", clock);
    std::ostringstream err;
    std::vector<std::string> told;
    LogFailureNotice notice(
        err, [&told](const std::string& reason) { told.push_back(reason); }, writer);
    notice.Poll();
    EXPECT_EQ(err.str(), "");  // nothing tried yet
    LogLine(writer, "Startup");
    notice.AfterStartUp();
    const std::string reason = "logging stopped: cannot open logs/CAN03072026.log: Not a directory";
    EXPECT_EQ(err.str(), "nordteller: " + reason + "\n");
    EXPECT_EQ(told, std::vector<std::string>{reason});
    LogLine(writer, "later");
    notice.Poll();
    notice.AfterStartUp();
    EXPECT_EQ(err.str(), "nordteller: " + reason + "\n");
    EXPECT_EQ(told.size(), 1u);

    std::filesystem::create_directory("fine");
    CLogWriter fine("fine", clock);
    std::ostringstream quiet;
    LogFailureNotice fineNotice(quiet, {}, fine);
    LogLine(fine, "Startup");
    fineNotice.AfterStartUp();
    fineNotice.Poll();
    EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace nt
