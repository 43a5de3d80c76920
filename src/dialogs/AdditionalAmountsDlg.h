#pragma once

#include <string>

#include "dialogs/AmountEdit.h"

namespace nt {

// "Additional Amounts": the amounts of an incremental authorisation or a partial reversal.
// Its three amount fields behave as the main window's; the members are filled only on OK.
class CAdditionalAmountsDlg {
  public:
    static constexpr int kOriginalId = 1176;
    static constexpr int kLastId = 1177;
    static constexpr int kThirdId = 1178;
    static constexpr int kThirdLabelId = 1175;

    bool m_decrement = false;
    std::string m_originalAmount;
    std::string m_lastAuthorizedAmount;
    std::string m_thirdAmount;

    // Opening: each field set to 0 cents, the third field's label by the mode.
    void OnInitDialog() {
        last_.SetAmountCents(0);
        original_.SetAmountCents(0);
        third_.SetAmountCents(0);
        thirdLabel_ = m_decrement ? "Decrement Amount" : "Increment Amount";
    }
    void OnOK() {
        m_lastAuthorizedAmount = last_.GetAmountText();
        m_originalAmount = original_.GetAmountText();
        m_thirdAmount = third_.GetAmountText();
    }
    CAmountEdit* Field(int id) {
        switch (id) {
            case kOriginalId:
                return &original_;
            case kLastId:
                return &last_;
            case kThirdId:
                return &third_;
            default:
                return nullptr;
        }
    }
    const std::string& ThirdLabel() const { return thirdLabel_; }

  private:
    CAmountEdit original_;
    CAmountEdit last_;
    CAmountEdit third_;
    std::string thirdLabel_ = "To Be Announced";
};

}  // namespace nt
