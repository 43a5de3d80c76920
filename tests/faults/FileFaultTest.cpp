// A full or failing disk under each file the window writes: what was there stays whole, the
// window goes on, and nothing in memory is lost.
#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "log/LogWriter.h"
#include "platform/WriteFault.h"
#include "pos/SequenceStore.h"
#include "sim/SimJournalFile.h"
#include "sim/SimulatedClient.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using test::FlowHarness;
using test::ReadFile;
using test::Response;
using test::WriteFile;

TEST(SequenceFileFault, FailedSaveKeepsTheOldFileAndTheNumberInMemory) {
    test::TempDir dir;
    PosState state;
    SequenceStore store(state, GetLogWriter());
    for (int error : {ENOSPC, EIO}) {
        for (size_t budget : {0u, 1u, 5u, 9u}) {
            WriteFile(kSequenceFileName, "0010010020");
            state.PosSequenceNo = "0010010030";
            {
                ScopedWriteFault fault({"/testseqNo.dat", budget, error});
                EXPECT_FALSE(store.SaveSequenceNo());
            }
            EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020") << budget;
            EXPECT_EQ(state.PosSequenceNo, "0010010030");
        }
    }
    store.LoadSequenceNo();
    EXPECT_EQ(state.PosSequenceNo, "0010010020");
}

TEST(SequenceFileFault, CommandOnAFullDiskTakesTheResponseAndKeepsTheOldFile) {
    FlowHarness h;
    WriteFile(kSequenceFileName, "0010010020");
    h.Reply(Response("0010010030", "<RefNo>0007</RefNo>"));
    {
        ScopedWriteFault fault({"/testseqNo.dat", 4, ENOSPC});
        h.dlg->OnCommand(id::kSale);
    }
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_NE(h.script->requests[0].find("<SequenceNo>0010010020</SequenceNo>"), std::string::npos);
    EXPECT_EQ(h.dlg->posState().PosSequenceNo, "0010010030");
    EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010030");
    EXPECT_EQ(h.form.Text(id::kRefNumber), "0007");
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
    // Once the disk has room the next command saves again.
    h.Reply(Response("0010010040", ""));
    h.dlg->OnCommand(id::kSale);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010040");
}

// A full disk in the middle of the simulator's journal line: the line is taken back, the
// answers go on, and once there is room the file is rewritten whole with what it missed.
TEST(SimJournalFault, LineCutShortIsTakenBackAndTheFileStaysReadable) {
    test::TempDir dir;
    ManualClock clock;
    auto client = MakeSimulatedClient(clock, SimulatorOptions{sim::kJournalFileName, false, false});
    const std::string sale =
        "<TStream><Transaction><TranCode>EMVSale</TranCode><Amount><Purchase>4.00</Purchase>"
        "</Amount></Transaction></TStream>";
    client->ProcessTransaction(sale);
    const size_t whole = ReadFile(sim::kJournalFileName).size();
    testing::internal::CaptureStderr();
    {
        ScopedWriteFault fault({"/simjournal.dat", 20, ENOSPC});
        EXPECT_NE(client->ProcessTransaction(sale).text.find("APPROVED"), std::string::npos);
        client->ProcessTransaction(sale);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: cannot write the simulator journal simjournal.dat: No space left on "
              "device\n");
    EXPECT_EQ(ReadFile(sim::kJournalFileName).size(), whole);
    client->ProcessTransaction(sale);
    sim::SimJournal journal;
    const sim::JournalLoad load = sim::LoadJournal(sim::kJournalFileName, journal);
    EXPECT_FALSE(load.damaged || load.tornTail) << load.why;
    ASSERT_EQ(journal.Entries().size(), 4u);
    EXPECT_EQ(journal.Entries()[3].refNo, "0004");
}

TEST(PadSelectionFault, FailedSaveAtExitKeepsTheRememberedPadType) {
    FlowHarness h;
    WriteFile("padselection.dat", "KT820\r\n");
    h.dlg->padCatalog().BuildPadCatalog(
        "<PadTypeID1>KT820</PadTypeID1><Processor1>P</Processor1><Manufacturer1>M</Manufacturer1>"
        "<PadTypeID2>LM320</PadTypeID2><Processor2>P</Processor2><Manufacturer2>M</Manufacturer2>",
        h.dlg->padCatalog().LoadPadSelection());
    h.dlg->padCatalog().SelectPadNode(h.dlg->padCatalog().padTree().FindLeaf("LM320"));
    {
        ScopedWriteFault fault({"/padselection.dat", 3, ENOSPC});
        h.dlg->OnCommand(id::kExit);
    }
    EXPECT_TRUE(h.dlg->Closed());
    EXPECT_EQ(ReadFile("padselection.dat"), "KT820\r\n");
    EXPECT_EQ(h.dlg->padCatalog().LoadPadSelection(), "KT820");
}

TEST(ReceiptFileFault, RenderedReceiptOnAFullDiskLosesOnlyItsOwnLines) {
    FlowHarness h;
    const std::string receipt = std::string(kLogDirectory) + "/Receipt.txt";
    WriteFile(receipt, "earlier receipt\r\n");
    const std::string print =
        "<PrintData><Line1>.FIRST SHOP</Line1><Line2>TOTAL 1.00</Line2></PrintData>";
    h.Reply(Response("0010010020", print));
    {
        ScopedWriteFault fault({"/Receipt.txt", 5, ENOSPC});
        h.dlg->OnCommand(id::kSale);
        GetLogWriter().Flush();
    }
    const std::string afterFault = ReadFile(receipt);
    ASSERT_EQ(afterFault.rfind("earlier receipt\r\n", 0), 0u);
    EXPECT_EQ(afterFault.size(), std::string("earlier receipt\r\n").size() + 5);
    // The daily log was not on the full part of the disk: the command is all there.
    EXPECT_NE(h.DailyLog().find("<Line1>.FIRST SHOP</Line1>"), std::string::npos);

    h.Reply(Response("0010010030", print));
    h.dlg->OnCommand(id::kSale);
    GetLogWriter().Flush();
    const std::string afterRoom = ReadFile(receipt);
    EXPECT_EQ(afterRoom.compare(0, afterFault.size(), afterFault), 0);
    EXPECT_NE(afterRoom.find("FIRST SHOP", afterFault.size()), std::string::npos);
    EXPECT_FALSE(GetLogWriter().Stopped());
}

}  // namespace
}  // namespace nt
