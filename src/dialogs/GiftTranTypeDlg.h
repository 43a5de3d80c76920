#pragma once

#include <array>
#include <string>

#include "codes/TranCodes.h"

namespace nt {

// "Pick Gift Gard Tran Type": one button per gift card TranCode; Cancel leaves it empty. Which
// TranCode a button picks is its row's giftButton.
class CGiftTranTypeDlg {
  public:
    struct Choice {
        int id;
        const char* caption;
    };
    static constexpr std::array<Choice, 8> kChoices = {{
        {1059, "Issue"},
        {1060, "Void Issue"},
        {1004, "Sale"},
        {1007, "VoidSale"},
        {1005, "Return"},
        {1032, "VoidReturn"},
        {1061, "Cashout"},
        {1062, "Balance"},
    }};

    std::string m_tranCode;

    // A TranCode button: store its TranCode (the dialog then ends with OK). False for others.
    bool OnButton(int id) {
        const TranCodeSpec* spec = FindGiftButton(id);
        if (spec == nullptr) {
            return false;
        }
        m_tranCode = spec->name;
        return true;
    }
    // The button of a TranCode pressed; false when the picker has none for it.
    bool Pick(const std::string& tranCode) {
        const TranCodeSpec* spec = FindTranCode(tranCode);
        return spec != nullptr && OnButton(spec->giftButton);
    }
};

}  // namespace nt
