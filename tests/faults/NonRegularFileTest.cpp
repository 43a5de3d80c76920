// Files of the folder that are FIFOs or devices: refused at once, never waited on or read
// without end.
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "headless/HeadlessRunner.h"
#include "script/ScriptLineReader.h"
#include "support/TempDir.h"

namespace nt {
namespace {

TEST(NonRegularFiles, FifosAndDevicesAreRefusedWithoutWaiting) {
    test::TempDir dir;
    for (const char* name : {"testseqNo.dat", "padselection.dat", "Script.csv"}) {
        ASSERT_EQ(::mkfifo(name, 0600), 0) << name;
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunHeadless({.control = "sim", .runScript = true}, {}, out, err), 2);
    EXPECT_EQ(err.str(), "nordteller: Could not open Script.csv\n");
    EXPECT_EQ(out.str(), "message: Could not open Script.csv\n");
    EXPECT_EQ(test::ReadFile("testseqNo.dat"), "0010010010");  // the save replaced the FIFO

    std::filesystem::remove("Script.csv");
    std::filesystem::create_symlink("/dev/zero", "Script.csv");
    EXPECT_FALSE(ScriptLineReader("Script.csv").Opened());
}

}  // namespace
}  // namespace nt
