#include "codes/TranCodes.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/GiftTranTypeDlg.h"
#include "form/Controls.h"

namespace nt {
namespace {

// The main window's buttons with handlers of their own rather than a row of the table.
const std::set<int> kOwnHandlers = {id::kExit,           id::kRunScript, id::kResetSequenceNo,
                                    id::kTranTestMode,   id::kGiftCards, id::kClearRespFields,
                                    id::kGetPadTypesInfo};

TEST(TranCodes, CommandButtonsAndRowsMatch) {
    for (const TranCodeSpec& spec : kTranCodes) {
        if (spec.button.id == 0) {
            continue;
        }
        const ControlSpec* control = FindControl(spec.button.id);
        ASSERT_NE(control, nullptr) << spec.name;
        EXPECT_EQ(control->kind, ControlKind::Button) << spec.name;
        EXPECT_STRNE(spec.button.waitMessage, "") << spec.name;
        // The window can send it, so the simulated client must know it.
        EXPECT_NE(spec.sim.family, SimFamily::None) << spec.name;
    }
    for (const ControlSpec& control : MainWindowControls()) {
        if (control.kind == ControlKind::Button && kOwnHandlers.count(control.id) == 0) {
            const TranCodeSpec* spec = FindCommandButton(control.id);
            ASSERT_NE(spec, nullptr) << control.caption;
            EXPECT_EQ(spec->button.id, control.id);
        }
    }
}

TEST(TranCodes, GiftPickerButtonsAndRowsMatch) {
    std::set<int> picker;
    for (const auto& choice : CGiftTranTypeDlg::kChoices) {
        picker.insert(choice.id);
        CGiftTranTypeDlg dlg;
        ASSERT_TRUE(dlg.OnButton(choice.id)) << choice.caption;
        const TranCodeSpec* spec = FindTranCode(dlg.m_tranCode);
        ASSERT_NE(spec, nullptr) << choice.caption;
        EXPECT_EQ(spec->giftButton, choice.id);
        EXPECT_NE(spec->sim.family, SimFamily::None) << spec->name;
        EXPECT_TRUE(spec->terminal.financial) << spec->name;
    }
    for (const TranCodeSpec& spec : kTranCodes) {
        if (spec.giftButton != 0) {
            EXPECT_EQ(picker.count(spec.giftButton), 1u) << spec.name;
        }
    }
}

TEST(TranCodes, GiftPickerPicksOnlyItsOwnCodes) {
    CGiftTranTypeDlg dlg;
    EXPECT_TRUE(dlg.Pick("EMVCashOut"));
    EXPECT_EQ(dlg.m_tranCode, "EMVCashOut");
    for (const char* other : {"EMVPreAuth", "VoidSaleByRecordNo", "emvissue", ""}) {
        CGiftTranTypeDlg untouched;
        EXPECT_FALSE(untouched.Pick(other)) << other;
        EXPECT_EQ(untouched.m_tranCode, "") << other;
    }
    // 1059 is Issue in the picker and a check box in the window: the two never mix.
    const TranCodeSpec* issue = FindGiftButton(1059);
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(issue->code, TranCode::EMVIssue);
    EXPECT_EQ(FindCommandButton(1059), nullptr);
}

TEST(TranCodes, UnknownNamesAndNoButtonFindNothing) {
    for (const char* name : {"", "emvsale", "EMVSale ", "EMV", "SaleByRecordNo", "NotSupported"}) {
        EXPECT_EQ(FindTranCode(name), nullptr) << name;
    }
    for (const char* name : {"", "emvsale", "SaleByRecordNO", "ByRecordNo"}) {
        const WrittenTranCode written = ReadTranCode(name);
        EXPECT_EQ(written.spec, nullptr) << name;
        EXPECT_FALSE(written.byRecordNo) << name;
    }
    // Most rows have no button: 0 must not find the first of them.
    EXPECT_EQ(FindCommandButton(0), nullptr);
    EXPECT_EQ(FindGiftButton(0), nullptr);
    EXPECT_EQ(FindCommandButton(id::kTranTestMode), nullptr);
    const TranCodeSpec* close = FindCommandButton(id::kBatchClose);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->code, TranCode::BatchClose);
}

TEST(TranCodes, RecordNoFormsRoundTrip) {
    for (const TranCodeSpec& spec : kTranCodes) {
        const WrittenTranCode plain = ReadTranCode(spec.name);
        EXPECT_EQ(plain.spec, &spec);
        EXPECT_FALSE(plain.byRecordNo);
        EXPECT_EQ(FindTranCode(spec.name), &spec);
        if (spec.recordNo == nullptr) {
            EXPECT_EQ(RecordNoTranCode(spec.name), spec.name);
            continue;
        }
        EXPECT_EQ(RecordNoTranCode(spec.name), spec.recordNo);
        const WrittenTranCode mapped = ReadTranCode(RecordNoTranCode(spec.name));
        EXPECT_EQ(mapped.spec, &spec) << spec.recordNo;
        EXPECT_TRUE(mapped.byRecordNo) << spec.recordNo;
        // A RecordNo form is never mapped again.
        EXPECT_EQ(RecordNoTranCode(spec.recordNo), spec.recordNo);
    }
    EXPECT_EQ(RecordNoTranCode("EMVSale"), "SaleByRecordNo");
    EXPECT_EQ(RecordNoTranCode("Unknown"), "Unknown");
}

// Every TranCode, plain or RecordNo form, is spelt in the table alone.
TEST(TranCodes, NoOtherSourceSpellsATranCode) {
    const std::filesystem::path src = std::filesystem::path(NORDTELLER_SOURCE_DIR) / "src";
    const std::filesystem::path table = src / "codes" / "TranCodes.h";
    std::vector<std::string> quoted;
    for (const TranCodeSpec& spec : kTranCodes) {
        quoted.push_back('"' + std::string(spec.name) + '"');
        if (spec.recordNo != nullptr) {
            quoted.push_back('"' + std::string(spec.recordNo) + '"');
        }
    }
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file() || entry.path() == table) {
            continue;
        }
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& name : quoted) {
            EXPECT_EQ(text.str().find(name), std::string::npos)
                << name << " in " << entry.path().lexically_relative(src);
        }
    }
    EXPECT_GT(files, 100);
}

}  // namespace
}  // namespace nt
