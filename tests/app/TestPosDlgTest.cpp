// The window's own part in what its subsystems do: its start-up, buttons and shutdown reach them.
#include <gtest/gtest.h>

#include "form/Controls.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using test::FlowHarness;
using test::ReadFile;
using test::WriteFile;

const std::string kLm320 =
    "<PadTypeID1>LM320</PadTypeID1><Processor1>P</Processor1><Manufacturer1>M</Manufacturer1>";

TEST(TestPosDlg, StartUpLoadsTheClientsCatalogAndInfoButtonShowsItRaw) {
    FlowHarness h;
    h.dlg.reset();  // started again, with a catalog and a remembered pick to load
    h.script->padTypesInfo = kLm320;
    WriteFile("padselection.dat", "LM320\r\n");
    h.dlg = std::make_unique<CTestPosDlg>(h.form, h.op, test::ScriptedClientFactory(h.script));
    h.dlg->OnInitDialog();
    EXPECT_EQ(h.dlg->padCatalog().PadTypeElement(0), "<PadType>LM320</PadType>\r\n");
    h.dlg->OnCommand(id::kGetPadTypesInfo);
    EXPECT_EQ(h.op.transcript.back(), "pad-types-info: " + kLm320);
}

TEST(TestPosDlg, InfoButtonWithoutAClientShowsNoDialog) {
    FlowHarness h(false);
    h.dlg->OnCommand(id::kGetPadTypesInfo);
    ASSERT_EQ(h.op.transcript.size(), 1u);  // the message only
    EXPECT_TRUE(h.op.transcript[0].starts_with("message: The payment client is not available"))
        << h.op.transcript[0];
}

TEST(TestPosDlg, TranEmvAndExitReachThePadCatalog) {
    FlowHarness h;
    h.dlg->padCatalog().BuildPadCatalog(kLm320, "LM320");
    h.form.SetChecked(id::kTranEmv, true);
    h.dlg->OnCommand(id::kTranEmv);
    EXPECT_FALSE(h.dlg->padCatalog().padTree().Enabled());
    h.dlg->OnCommand(id::kExit);
    EXPECT_TRUE(h.dlg->Closed());
    EXPECT_EQ(ReadFile("padselection.dat"), "LM320\r\n");
}

}  // namespace
}  // namespace nt
