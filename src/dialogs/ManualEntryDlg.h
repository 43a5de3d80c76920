#pragma once

#include <string>

namespace nt {

// "Manual Items Entry": address and card verification values for a keyed card.
class CManualEntryDlg {
  public:
    static constexpr int kZipCodeId = 1031;
    static constexpr int kStreetNumberId = 1032;
    static constexpr int kCvvId = 1033;

    std::string m_zipCode;
    std::string m_streetNumber;
    std::string m_cvv;
};

}  // namespace nt
