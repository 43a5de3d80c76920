#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/TestPosDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "form/Controls.h"
#include "platform/Clock.h"
#include "platform/Form.h"
#include "serial/SerialDevice.h"
#include "support/FakeSerialLine.h"
#include "support/RecordingOperator.h"

namespace nt::test {

// The main window's texts and check boxes as plain values; every control enabled and shown.
class MapForm : public Form {
  public:
    std::string Text(int id) const override {
        auto it = texts_.find(id);
        return it == texts_.end() ? std::string() : it->second;
    }
    void SetText(int id, const std::string& text) override { texts_[id] = text; }
    bool Checked(int id) const override { return checks_.count(id) != 0 && checks_.at(id); }
    void SetChecked(int id, bool checked) override { checks_[id] = checked; }
    bool Enabled(int) const override { return true; }
    void SetEnabled(int, bool) override {}
    bool Visible(int) const override { return true; }
    void SetVisible(int, bool) override {}

  private:
    std::map<int, std::string> texts_;
    std::map<int, bool> checks_;
};

// An operator that can type into the Manual Items Entry and Edit XML Request dialogs.
class ManualEntryOperator : public RecordingOperator {
  public:
    std::optional<CManualEntryDlg> entered;  // nullopt: Cancel
    std::vector<CManualEntryDlg> shown;      // the defaults each prompt showed
    std::optional<std::string> editTo;       // the text the operator leaves in the editor

    bool RunEditXml(CEditXmlDlg& dlg) override {
        if (editTo) {
            dlg.m_requestText = *editTo;
        }
        return RecordingOperator::RunEditXml(dlg);
    }

    bool RunManualEntry(CManualEntryDlg& dlg) override {
        shown.push_back(dlg);
        transcript.push_back(entered ? "manual-entry: ok" : "manual-entry: cancel");
        if (entered) {
            dlg = *entered;
        }
        return entered.has_value();
    }
};

// The window on a fake line: TRAN EMV checked, Com Port 1, amounts 0.00, the test's clock.
struct SerialWindow {
    ManualClock clock;
    MapForm form;
    ManualEntryOperator op;
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>(clock);
    CTestPosDlg dlg{form, op, nullptr};

    SerialWindow() {
        dlg.terminalLink().link().clock = &clock;
        dlg.terminalLink().link().opener = FakeOpener(line);
        dlg.form().amount().SetAmountCents(0);
        dlg.form().tipAmount().SetAmountCents(0);
        form.SetChecked(id::kTranEmv, true);
        form.SetText(id::kComPort, "1");
    }
};

}  // namespace nt::test
