#include "headless/MemoryForm.h"

namespace nt {

namespace {

bool HoldsCaption(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::CheckBox ||
           kind == ControlKind::Radio;
}

}  // namespace

MemoryForm::MemoryForm() {
    for (const ControlSpec& spec : MainWindowControls()) {
        State state{&spec, HoldsCaption(spec.kind) ? spec.caption : spec.startText, false,
                    spec.enabled, spec.visible};
        controls_.emplace(spec.id, std::move(state));
    }
}

MemoryForm::State* MemoryForm::Find(int id) {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

const MemoryForm::State* MemoryForm::Find(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

std::string MemoryForm::Text(int id) const {
    const State* s = Find(id);
    return s ? s->text : std::string();
}

void MemoryForm::SetText(int id, const std::string& text) {
    if (State* s = Find(id)) {
        s->text = text;
    }
}

bool MemoryForm::Checked(int id) const {
    const State* s = Find(id);
    return s && s->checked;
}

void MemoryForm::SetChecked(int id, bool checked) {
    State* s = Find(id);
    if (s == nullptr) {
        return;
    }
    int group = s->spec->radioGroup;
    if (checked && group != 0) {
        for (auto& [other, state] : controls_) {
            if (state.spec->radioGroup == group) {
                state.checked = false;
            }
        }
    }
    s->checked = checked;
}

bool MemoryForm::Enabled(int id) const {
    const State* s = Find(id);
    return s && s->enabled;
}

void MemoryForm::SetEnabled(int id, bool enabled) {
    if (State* s = Find(id)) {
        s->enabled = enabled;
    }
}

bool MemoryForm::Visible(int id) const {
    const State* s = Find(id);
    return s && s->visible;
}

void MemoryForm::SetVisible(int id, bool visible) {
    if (State* s = Find(id)) {
        s->visible = visible;
    }
}

}  // namespace nt
