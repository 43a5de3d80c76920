#include "form/WindowForm.h"

#include "form/Controls.h"

namespace nt {

CAmountEdit* WindowForm::AmountField(int id) {
    switch (id) {
        case id::kAmount:
            return &amount_;
        case id::kTipAmount:
            return &tipAmount_;
        case id::kPurchaseLimit:
            return &purchaseLimit_;
        default:
            return nullptr;
    }
}

AmountUpdate WindowForm::UpdateAmount(int id, const std::string& reported) {
    CAmountEdit* field = AmountField(id);
    if (field == nullptr) {
        drawn_.SetText(id, reported);
        return AmountUpdate{reported, 0};
    }
    AmountUpdate update = field->OnAmountUpdate(reported);
    drawn_.SetText(id, update.shown);
    for (int i = 0; i < update.beeps; ++i) {
        op_.Beep();
    }
    return update;
}

void WindowForm::SetText(int id, const std::string& text) {
    if (AmountField(id) != nullptr) {
        UpdateAmount(id, text);
    } else {
        drawn_.SetText(id, text);
    }
}

void WindowForm::OnTipCheck() {
    if (Checked(id::kPromptTip)) {
        SetEnabled(id::kTipAmount, false);
        SetText(id::kTipAmount, "0.00");
    } else {
        SetEnabled(id::kTipAmount, true);
    }
}

}  // namespace nt
