#pragma once

#include <string>

namespace nt {

// "Get Pad Types Info Result": the control's raw pad types information, read-only.
class CPadTypesInfoDlg {
  public:
    std::string m_text;
};

}  // namespace nt
