#pragma once

#include <array>
#include <string>

namespace nt {

// "Pick Gift Gard Tran Type": one button per gift card TranCode; Cancel leaves it empty.
class CGiftTranTypeDlg {
  public:
    struct Choice {
        int id;
        const char* caption;
        const char* tranCode;
    };
    static constexpr std::array<Choice, 8> kChoices = {{
        {1059, "Issue", "EMVIssue"},
        {1060, "Void Issue", "EMVVoidIssue"},
        {1004, "Sale", "EMVSale"},
        {1007, "VoidSale", "EMVVoidSale"},
        {1005, "Return", "EMVReturn"},
        {1032, "VoidReturn", "EMVVoidReturn"},
        {1061, "Cashout", "EMVCashOut"},
        {1062, "Balance", "EMVBalance"},
    }};

    std::string m_tranCode;

    // A TranCode button: store its TranCode (the dialog then ends with OK). False for others.
    bool OnButton(int id) {
        for (const auto& c : kChoices) {
            if (c.id == id) {
                m_tranCode = c.tranCode;
                return true;
            }
        }
        return false;
    }
};

}  // namespace nt
