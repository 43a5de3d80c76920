#pragma once

#include "headless/Transcript.h"
#include "pads/PadTree.h"
#include "platform/Form.h"

namespace nt {

// The scenario's "dump": one line per control in ascending identifier order. "ID<TAB>TEXT" for
// texts (buttons their caption), "ID<TAB>[x]" / "ID<TAB>[ ]" for check boxes and radio buttons,
// "1203<TAB>" + the selected node's text for the tree; then "<TAB>disabled", "<TAB>hidden".
void DumpForm(const Form& form, const PadTree& tree, Transcript& out);

}  // namespace nt
