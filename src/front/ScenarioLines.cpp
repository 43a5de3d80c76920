#include "front/ScenarioLines.h"

#include "form/Controls.h"
#include "text/EscapeText.h"

namespace nt {

std::string SetLine(int id, std::string_view text) {
    return "set " + std::to_string(id) + " " + EscapeText(text);
}

std::string ClickLine(const Form& form, int id, bool handled) {
    const ControlSpec* spec = FindControl(id);
    const bool checkable = spec != nullptr && (spec->kind == ControlKind::CheckBox ||
                                               spec->kind == ControlKind::Radio);
    if (checkable && !handled) {
        return (form.Checked(id) ? "check " : "uncheck ") + std::to_string(id);
    }
    return "click " + std::to_string(id);
}

std::string SelectLine(const PadTree& tree, int node) {
    const PadTypeRecord* record = tree.Data(node);
    if (record != nullptr && tree.FindLeaf(record->padTypeId) == node) {
        return "select " + EscapeText(record->padTypeId);
    }
    return "select-node " + EscapeText(tree.Text(node));
}

std::string AnswerLine(const Answer& answer) {
    std::string line = std::string("answer ") + AnswerKeyword(answer.kind);
    switch (answer.kind) {
        case AnswerKind::Text:
        case AnswerKind::Pick:
            line += " " + EscapeText(answer.text);
            break;
        case AnswerKind::Fields:
            line += " " + EscapeText(answer.fields[0]) + "|" + EscapeText(answer.fields[1]) + "|" +
                    EscapeText(answer.fields[2]);
            break;
        default:
            break;
    }
    return line;
}

bool TypedText(int id) {
    const ControlSpec* spec = FindControl(id);
    if (spec == nullptr) {
        return false;
    }
    switch (spec->kind) {
        case ControlKind::Edit:
        case ControlKind::DigitsEdit:
        case ControlKind::AmountEdit:
        case ControlKind::MultiLineEdit:
            return true;
        default:
            return false;
    }
}

}  // namespace nt
