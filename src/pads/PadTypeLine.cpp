#include "pads/PadTypeLine.h"

#include "form/Controls.h"

namespace nt {

std::string PadTypeElement(const Form& form, const PadTree& tree, int indent) {
    std::string line(indent > 0 ? static_cast<size_t>(indent) : 0, '\t');
    if (form.Checked(id::kTranEmv)) {
        return line + "<PadType>TranEMV1</PadType>\r\n";
    }
    int selected = tree.Selected();
    if (selected != PadTree::kNone && tree.Data(selected) != nullptr) {
        return line + "<PadType>" + tree.Data(selected)->padTypeId + "</PadType>\r\n";
    }
    return line + "<PadType></PadType>\r\n";
}

}  // namespace nt
