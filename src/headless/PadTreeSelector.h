#pragma once

#include <string>

namespace nt {

class CTestPosDlg;

// The pad type tree as a scenario's select actions reach it. The pad catalog provides it; a
// selection behaves as the operator's click in the tree (the selection handler runs).
class PadTreeSelector {
  public:
    virtual ~PadTreeSelector() = default;
    // The first leaf, in tree order, whose identifier is padType. False when there is none.
    virtual bool SelectLeaf(CTestPosDlg& dlg, const std::string& padType) = 0;
    // The first node of any level whose text is text. False when there is none.
    virtual bool SelectNode(CTestPosDlg& dlg, const std::string& text) = 0;
};

}  // namespace nt
