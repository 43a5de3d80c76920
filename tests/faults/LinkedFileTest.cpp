// Files of the folder that are symbolic links: followed and written through, so the file a link
// names is read and replaced and the link stays; a link to anything but a regular file is
// refused.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "log/LogWriter.h"
#include "platform/StaleTemporaries.h"
#include "sim/SimTerminalBook.h"
#include "support/FlowHarness.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::ReadFile;
using test::WriteFile;

constexpr int kLimitSeconds = 30;

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// Two runs, each with a sale to the payment simulator and one to the serial terminal: the
// second reads what the first wrote through the links and rewrites it there.
TEST(LinkedFiles, SequenceAndJournalsAreReadAndReplacedThroughTheirLinks) {
    test::TempDir dir;
    test::ScopedEnv port("NORDTELLER_COM1", std::string("sim"));
    fs::create_directory("kept");
    WriteFile("kept/seq.dat", "0010010150");
    fs::create_symlink("seq.dat", "kept/seq-link");  // relative to its own folder
    fs::create_symlink("kept/seq-link", "testseqNo.dat");
    // Not there yet: the first write makes them.
    fs::create_symlink("kept/journal.dat", "simjournal.dat");
    fs::create_symlink(fs::absolute("kept/terminal.dat"), "simterminal.dat");

    const char* scenario = "set 1002 1500\nclick 1004\nclick 1204\nset 1002 1234\nclick 1004\n";
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const test::Outcome r = test::RunScenario(scenario, kLimitSeconds);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(fs::read_symlink("testseqNo.dat"), "kept/seq-link");
    EXPECT_EQ(fs::read_symlink("kept/seq-link"), "seq.dat");
    EXPECT_EQ(fs::read_symlink("simjournal.dat"), "kept/journal.dat");
    EXPECT_EQ(fs::read_symlink("simterminal.dat"), fs::absolute("kept/terminal.dat"));
    EXPECT_EQ(ReadFile("kept/seq.dat"), "0010010170");
    EXPECT_EQ(Count(ReadFile("kept/journal.dat"), "|EMVSale|"), 2u);
    EXPECT_EQ(Count(ReadFile("kept/terminal.dat"), "|M104|"), 2u);
    // Every temporary was made beside its target and renamed over it.
    EXPECT_EQ(Entries("kept"),
              (std::vector<std::string>{"journal.dat", "seq-link", "seq.dat", "terminal.dat"}));
}

// A damaged journal is set aside beside the file the link names, and the fresh one is written
// there: the link goes on naming the journal.
TEST(LinkedFiles, DamagedJournalIsSetAsideBesideTheLinksTarget) {
    test::TempDir dir;
    test::ScopedEnv fresh("NORDTELLER_SIM_FRESH", std::nullopt);
    fs::create_directory("kept");
    WriteFile("kept/terminal.dat", "not a journal\n");
    fs::create_symlink("kept/terminal.dat", "simterminal.dat");
    testing::internal::CaptureStderr();
    SimTerminalBook book(SimTerminalBookFile{"simterminal.dat", false});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: the terminal journal simterminal.dat is damaged (line 1: not a journal "
              "of this version); set aside as kept/terminal.dat.damaged-1, starting a fresh "
              "journal\n");
    ASSERT_TRUE(book.Respond("AT&UM104 99 1 0 0 * * 1.00 * * * 030726 140509 0 * * * * * *", {}));
    EXPECT_EQ(fs::read_symlink("simterminal.dat"), "kept/terminal.dat");
    EXPECT_EQ(ReadFile("kept/terminal.dat.damaged-1"), "not a journal\n");
    EXPECT_TRUE(ReadFile("kept/terminal.dat").starts_with("NORDTELLER TERMINAL JOURNAL 1\n"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"kept", "simterminal.dat"}));
}

TEST(LinkedFiles, ALinkToAnythingButARegularFileIsRefusedAndStays) {
    test::TempDir dir;
    fs::create_symlink("/dev/null", "testseqNo.dat");
    const test::Outcome r = test::RunScenario("set 1002 1500\nclick 1004\n", kLimitSeconds);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("nordteller: Cannot save the POS sequence number to testseqNo.dat: not a "
                         "regular file\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(fs::read_symlink("testseqNo.dat"), "/dev/null");
}

TEST(LinkedFiles, PadSelectionIsSavedThroughItsLinkUnlessItLeadsToAFifo) {
    const std::string catalog =
        "<PadTypeID1>KT820</PadTypeID1><Processor1>P</Processor1><Manufacturer1>M</Manufacturer1>"
        "<PadTypeID2>LM320</PadTypeID2><Processor2>P</Processor2><Manufacturer2>M</Manufacturer2>";
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "FIFO" : "regular file");
        test::FlowHarness h;
        fs::create_directory("kept");
        if (fifo) {
            ASSERT_EQ(::mkfifo("kept/pad.dat", 0600), 0);
        } else {
            WriteFile("kept/pad.dat", "KT820\r\n");
        }
        fs::create_symlink("kept/pad.dat", "padselection.dat");
        PadCatalog& pads = h.dlg->padCatalog();
        EXPECT_EQ(pads.LoadPadSelection(), fifo ? "" : "KT820");
        pads.BuildPadCatalog(catalog, pads.LoadPadSelection());
        pads.SelectPadNode(pads.padTree().FindLeaf("LM320"));
        h.dlg->OnCommand(id::kExit);
        ASSERT_TRUE(h.dlg->Closed());
        EXPECT_EQ(fs::read_symlink("padselection.dat"), "kept/pad.dat");
        if (fifo) {
            EXPECT_EQ(fs::status("kept/pad.dat").type(), fs::file_type::fifo);
            EXPECT_EQ(Entries("kept"), std::vector<std::string>{"pad.dat"});
        } else {
            EXPECT_EQ(ReadFile("kept/pad.dat"), "LM320\r\n");
        }
    }
}

// Appending opens through the link: the daily log and the receipt files write through as well.
TEST(LinkedFiles, DailyLogAndReceiptsAppendThroughTheirLinks) {
    test::TempDir dir;
    fs::create_directories("QUORLIN_LOGS");
    fs::create_directory("kept");
    WriteFile("kept/daily.log", "earlier\r\n");
    fs::create_symlink("../kept/daily.log", "QUORLIN_LOGS/CAN03072026.log");
    fs::create_symlink("../kept/receipt.txt", "QUORLIN_LOGS/TC 1.txt");
    {
        ManualClock clock;
        CLogWriter writer(kLogDirectory, clock);
        LogLine(writer, "command");
        LogTrace(writer, "TC 1", "line");
        ASSERT_TRUE(writer.Flush());
    }
    EXPECT_EQ(ReadFile("kept/daily.log"), "earlier\r\n[09:15:02]command\r\n----------\r\n");
    EXPECT_EQ(ReadFile("kept/receipt.txt"), "line\r\n");
    EXPECT_EQ(Entries("QUORLIN_LOGS"), (std::vector<std::string>{"CAN03072026.log", "TC 1.txt"}));
    EXPECT_TRUE(fs::is_symlink("QUORLIN_LOGS/CAN03072026.log"));
    EXPECT_TRUE(fs::is_symlink("QUORLIN_LOGS/TC 1.txt"));
}

// A save through a link makes its temporary beside the target, so that is where start-up looks
// for one a killed process left.
TEST(LinkedFiles, StaleTemporariesAreClearedBesideTheTarget) {
    test::TempDir dir;
    fs::create_directory("kept");
    WriteFile("kept/seq.dat", "0010010150");
    fs::create_symlink("kept/seq.dat", "testseqNo.dat");
    const std::string stale = "kept/.seq.dat.nordteller-a1B2c3.tmp";
    WriteFile(stale, "0010010160");
    fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(RemoveStaleTemporaries("testseqNo.dat"), 1);
    EXPECT_EQ(Entries("kept"), std::vector<std::string>{"seq.dat"});
}

}  // namespace
}  // namespace nt
