// The simulated terminal's journal file in the working folder: a sale made before a restart can
// be voided after it (once), a torn last line is dropped, a damaged file is set aside.
#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "sim/SimTerminalBook.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;

class SimTerminalJournalTest : public ::testing::Test {
  protected:
    void SetUp() override { Restart(); }
    // A new terminal over the file the last one left.
    void Restart() {
        book_.reset();
        book_ = std::make_unique<SimTerminalBook>(SimTerminalBookFileFromEnvironment());
    }
    std::string Reply(const std::string& line) { return book_->Respond(line, {})->reply; }
    std::string Sale(const char* amount) {
        return Reply(std::string("AT&UM104 99 1 0 0 * * ") + amount + kTail);
    }
    std::string VoidSale(const char* reference) {
        return Reply(std::string("AT&UM109 99 1 0 0 * * 1.00 * ") + reference + kTail);
    }
    // The file with each line's check taken off, which must be "*" and eight hex digits.
    static std::string Payloads() {
        return std::regex_replace(ReadFile(kTerminalJournalFileName),
                                  std::regex("\\*[0-9a-f]{8}\n"), "\n");
    }

    static constexpr const char* kTail = " * * 030726 140509 0 * * * * * *";
    test::TempDir dir_;
    test::ScopedEnv fresh_{"NORDTELLER_SIM_FRESH", std::nullopt};
    std::unique_ptr<SimTerminalBook> book_;
};

TEST_F(SimTerminalJournalTest, SaleBeforeARestartIsVoidedAfterItOnce) {
    EXPECT_EQ(Sale("12.34"), "\r\n200 M104 0001 12.34 A00001 R0000001 APPROVED\r\n");
    EXPECT_EQ(Sale("5.51"), "\r\n051 M104 0002 5.51 000000 R0000002 DECLINED\r\n");
    EXPECT_EQ(Reply("AT&UM108 99 1 0 0 * * 2.00" + std::string(kTail)),
              "\r\n200 M108 0003 2.00 A00003 R0000003 APPROVED\r\n");
    Restart();
    EXPECT_EQ(Payloads(),
              "NORDTELLER TERMINAL JOURNAL 1\nT|3|2\nE|R0000001|M104|1234|0\n"
              "E|R0000003|M108|200|0\n");
    EXPECT_EQ(VoidSale("R0000001"), "\r\n200 M109 0004 1.00 A00004 R0000004 APPROVED\r\n");
    Restart();
    EXPECT_EQ(VoidSale("R0000001"), "\r\n051 M109 0005 1.00 000000 R0000005 ALREADY VOIDED\r\n");
    EXPECT_EQ(Reply("AT&UI7 * * * * * *"),
              "\r\n200 I7 BATCH TOTALS\r\nCOUNT 0003\r\nNET -$2.00\r\n");

    Reply("AT&UB3 * 030726 * * *");
    Restart();  // the closed batch stays closed
    EXPECT_EQ(Payloads(), "NORDTELLER TERMINAL JOURNAL 1\nT|5|0\n");
    EXPECT_EQ(Reply("AT&UM110 99 1 0 0 * * 2.00 * R0000003" + std::string(kTail)),
              "\r\n051 M110 0006 2.00 000000 R0000006 NO MATCHING TRANSACTION\r\n");

    test::ScopedEnv fresh("NORDTELLER_SIM_FRESH", "1");
    Restart();
    EXPECT_EQ(Payloads(), "NORDTELLER TERMINAL JOURNAL 1\nT|0|0\n");
    EXPECT_EQ(Sale("1.00"), "\r\n200 M104 0001 1.00 A00001 R0000001 APPROVED\r\n");
}

TEST_F(SimTerminalJournalTest, TornTailIsDroppedAndADamagedFileIsSetAside) {
    Sale("8.00");
    Sale("99999999999999999999.99");  // too large to count: booked as 0, and read back
    Restart();
    book_.reset();
    const std::string whole = ReadFile(kTerminalJournalFileName);
    // A line cut short by a killed process: its reply was never given.
    test::WriteFile(kTerminalJournalFileName, whole + "T|3|3|R0000003|M1");
    testing::internal::CaptureStderr();
    Restart();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ReadFile(kTerminalJournalFileName), whole);
    EXPECT_EQ(Sale("2.00"), "\r\n200 M104 0003 2.00 A00003 R0000003 APPROVED\r\n");

    book_.reset();
    std::string flipped = ReadFile(kTerminalJournalFileName);
    flipped[flipped.find("M104|800")] = 'X';
    test::WriteFile(kTerminalJournalFileName, flipped);
    testing::internal::CaptureStderr();
    Restart();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: the terminal journal simterminal.dat is damaged (line 3: fails its "
              "check); set aside as simterminal.dat.damaged-1, starting a fresh journal\n");
    EXPECT_EQ(ReadFile("simterminal.dat.damaged-1"), flipped);
    EXPECT_EQ(VoidSale("R0000001"),
              "\r\n051 M109 0001 1.00 000000 R0000001 NO MATCHING TRANSACTION\r\n");
}

}  // namespace
}  // namespace nt
