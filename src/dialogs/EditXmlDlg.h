#pragma once

#include <string>

namespace nt {

// "Edit XML Request": the operator reviews and may change the request before it is sent.
class CEditXmlDlg {
  public:
    std::string m_requestText;
};

}  // namespace nt
