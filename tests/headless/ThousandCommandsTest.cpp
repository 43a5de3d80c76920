// A thousand Sales through the built program against the simulator. In the sanitizer build the
// program's exit status also carries the leak checker's verdict: any leak fails the run.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;

TEST(ThousandCommands, EveryEntryLoggedInOrderAndNothingLeaks) {
    test::TempDir dir;
    std::string scenario = "set 1002 1000\n";
    for (int i = 0; i < 1000; ++i) {
        scenario += "click 1004\n";
    }
    test::WriteFile("sales.scenario", scenario);
    const test::Outcome r = test::Nordteller("--headless --scenario sales.scenario");
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 4000);

    std::string log;
    for (const auto& e : fs::directory_iterator("QUORLIN_LOGS")) {
        if (e.path().filename().string().starts_with("CAN")) {
            log += test::ReadFile(e.path().string());
        }
    }
    const std::string separator = "\r\n----------\r\n";
    int next = 1;
    size_t at = 0;
    for (size_t end; (end = log.find(separator, at)) != std::string::npos;
         at = end + separator.size()) {
        ASSERT_EQ(log[at], '[') << "entry without time stamp at byte " << at;
        if (log.compare(at + 10, 11, "TRACE DATA:") == 0) {
            char expected[16];
            std::snprintf(expected, sizeof expected, "%08d", next++);
            ASSERT_EQ(log.substr(at + 21, 8), expected);
        }
    }
    EXPECT_EQ(at, log.size()) << "the log ends inside an entry";
    EXPECT_EQ(next - 1, 1000);
    EXPECT_EQ(test::ReadFile("testseqNo.dat").size(), 10u);
}

}  // namespace
}  // namespace nt
