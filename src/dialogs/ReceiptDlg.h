#pragma once

#include <string>

namespace nt {

// "Receipt Info": the receipt on a 40-column screen, a ruler above and below the text.
class CReceiptDlg {
  public:
    static constexpr const char* kRuler = "1........A.........B.........C.........D";
    std::string m_receiptText;
};

}  // namespace nt
