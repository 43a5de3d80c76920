#include "headless/FormDump.h"

#include <string>

#include "form/Controls.h"

namespace nt {

void DumpForm(const Form& form, const PadTree& tree, Transcript& out) {
    for (const ControlSpec& spec : MainWindowControls()) {
        std::string line = std::to_string(spec.id) + '\t';
        bool enabled = form.Enabled(spec.id);
        switch (spec.kind) {
            case ControlKind::CheckBox:
            case ControlKind::Radio:
                line += form.Checked(spec.id) ? "[x]" : "[ ]";
                break;
            case ControlKind::Tree:
                if (tree.Selected() != PadTree::kNone) {
                    line += EscapeText(tree.Text(tree.Selected()));
                }
                enabled = tree.Enabled();
                break;
            default:
                line += EscapeText(form.Text(spec.id));
        }
        if (!enabled) {
            line += "\tdisabled";
        }
        if (!form.Visible(spec.id)) {
            line += "\thidden";
        }
        out.Line(line);
    }
}

}  // namespace nt
