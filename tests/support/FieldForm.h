#pragma once

#include <map>
#include <string>

#include "form/Controls.h"
#include "platform/Form.h"

namespace nt::test {

// The main window's controls as plain values: the texts and check marks set so far (none at
// first), and the enabled and visible state each control starts with in the control table, so
// a test sees what its subsystem changed. A control the table does not know starts enabled and
// shown.
class FieldForm : public Form {
  public:
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::map<int, bool> enabled;
    std::map<int, bool> visible;

    FieldForm() {
        for (const ControlSpec& spec : MainWindowControls()) {
            enabled[spec.id] = spec.enabled;
            visible[spec.id] = spec.visible;
        }
    }

    std::string Text(int id) const override { return Get(texts, id, std::string()); }
    void SetText(int id, const std::string& text) override { texts[id] = text; }
    bool Checked(int id) const override { return Get(checks, id, false); }
    void SetChecked(int id, bool checked) override { checks[id] = checked; }
    bool Enabled(int id) const override { return Get(enabled, id, true); }
    void SetEnabled(int id, bool on) override { enabled[id] = on; }
    bool Visible(int id) const override { return Get(visible, id, true); }
    void SetVisible(int id, bool shown) override { visible[id] = shown; }

  private:
    template <typename T>
    static T Get(const std::map<int, T>& values, int id, T otherwise) {
        auto it = values.find(id);
        return it == values.end() ? otherwise : it->second;
    }
};

}  // namespace nt::test
