#pragma once

#include <string>

#include "dialogs/AmountEdit.h"
#include "dialogs/Operator.h"
#include "platform/Form.h"

namespace nt {

// The main window's form as the core sees it: it owns the three amount fields, every text set
// on an amount field passes through that field's formatting (and may beep); everything else goes
// straight to the drawn form.
class WindowForm : public Form {
  public:
    WindowForm(Form& drawn, Operator& op) : drawn_(drawn), op_(op) {}
    WindowForm(const WindowForm&) = delete;
    WindowForm& operator=(const WindowForm&) = delete;

    // The control reports a changed text of an amount field (typing, pasting, program set):
    // the field's update handling runs and its result is shown.
    AmountUpdate UpdateAmount(int id, const std::string& reported);
    // The field's text becomes the value in decimal without a point; formatting then applies.
    void SetAmountCents(int id, long cents) { UpdateAmount(id, std::to_string(cents)); }

    // "Prompt Tip" changed: while checked the tip amount is 0.00 and cannot be typed.
    void OnTipCheck();

    std::string Text(int id) const override { return drawn_.Text(id); }
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) const override { return drawn_.Checked(id); }
    void SetChecked(int id, bool checked) override { drawn_.SetChecked(id, checked); }
    bool Enabled(int id) const override { return drawn_.Enabled(id); }
    void SetEnabled(int id, bool enabled) override { drawn_.SetEnabled(id, enabled); }
    bool Visible(int id) const override { return drawn_.Visible(id); }
    void SetVisible(int id, bool visible) override { drawn_.SetVisible(id, visible); }

    CAmountEdit& amount() { return amount_; }
    CAmountEdit& tipAmount() { return tipAmount_; }
    CAmountEdit& purchaseLimit() { return purchaseLimit_; }
    const CAmountEdit& amount() const { return amount_; }
    const CAmountEdit& tipAmount() const { return tipAmount_; }
    const CAmountEdit& purchaseLimit() const { return purchaseLimit_; }

  private:
    // The amount field of a control id; nullptr for any other control.
    CAmountEdit* AmountField(int id);

    Form& drawn_;
    Operator& op_;
    CAmountEdit tipAmount_;
    CAmountEdit amount_;
    CAmountEdit purchaseLimit_;
};

}  // namespace nt
