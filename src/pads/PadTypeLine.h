#pragma once

#include <string>

#include "pads/PadTree.h"
#include "platform/Form.h"

namespace nt {

// The request line that names the pad type in use: the serial test terminal while "TRAN EMV"
// is checked, else the selected leaf's pad type, else an empty element. Indented by TABs.
std::string PadTypeElement(const Form& form, const PadTree& tree, int indent);

}  // namespace nt
