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
        m_last.SetAmountCents(0);
        m_original.SetAmountCents(0);
        m_third.SetAmountCents(0);
        m_thirdLabel = m_decrement ? "Decrement Amount" : "Increment Amount";
    }
    void OnOK() {
        m_lastAuthorizedAmount = m_last.GetAmountText();
        m_originalAmount = m_original.GetAmountText();
        m_thirdAmount = m_third.GetAmountText();
    }
    CAmountEdit* Field(int id) {
        switch (id) {
            case kOriginalId:
                return &m_original;
            case kLastId:
                return &m_last;
            case kThirdId:
                return &m_third;
            default:
                return nullptr;
        }
    }
    const std::string& ThirdLabel() const { return m_thirdLabel; }

  private:
    CAmountEdit m_original;
    CAmountEdit m_last;
    CAmountEdit m_third;
    std::string m_thirdLabel = "To Be Announced";
};

}  // namespace nt
