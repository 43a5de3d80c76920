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
    h.script->padTypesInfo = kLm320;
    WriteFile("padselection.dat", "LM320\r\n");
    h.dlg->padCatalog().LoadPadCatalog(h.dlg->gateway().GetPadTypesInfo().value_or(""));
    EXPECT_EQ(h.dlg->padCatalog().PadTypeElement(0), "<PadType>LM320</PadType>\r\n");
    h.dlg->OnCommand(id::kGetPadTypesInfo);
    EXPECT_EQ(h.op.transcript.back(), "pad-types-info");
}

TEST(TestPosDlg, InfoButtonWithoutAClientShowsNoDialog) {
    FlowHarness h(false);
    h.dlg->OnCommand(id::kGetPadTypesInfo);
    EXPECT_EQ(h.op.transcript.size(), 1u);  // the message only
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
