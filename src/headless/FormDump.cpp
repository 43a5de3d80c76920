#include "headless/FormDump.h"

#include <string>

#include "app/Controls.h"

namespace nt {

void DumpForm(const MemoryForm& form, Transcript& out) {
    for (const ControlSpec& spec : MainWindowControls()) {
        std::string line = std::to_string(spec.id) + '\t';
        switch (spec.kind) {
            case ControlKind::CheckBox:
            case ControlKind::Radio:
                line += form.Checked(spec.id) ? "[x]" : "[ ]";
                break;
            case ControlKind::Tree:
                line += EscapeText(form.TreeSelectionText());
                break;
            default:
                line += EscapeText(form.Text(spec.id));
        }
        if (!form.Enabled(spec.id)) {
            line += "\tdisabled";
        }
        if (!form.Visible(spec.id)) {
            line += "\thidden";
        }
        out.Line(line);
    }
}

}  // namespace nt
