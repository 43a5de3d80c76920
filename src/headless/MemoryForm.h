#pragma once

#include <map>
#include <string>

#include "form/Controls.h"
#include "platform/Form.h"

namespace nt {

// The main window's controls held in memory, for headless mode: every control of the control
// table with its text, check state, enabled and visible state, starting as the window starts.
// Buttons, check boxes and radio buttons hold their caption as their text.
class MemoryForm : public Form {
  public:
    MemoryForm();

    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool Enabled(int id) const override;
    void SetEnabled(int id, bool enabled) override;
    bool Visible(int id) const override;
    void SetVisible(int id, bool visible) override;

  private:
    struct State {
        const ControlSpec* spec;
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
    };
    State* Find(int id);
    const State* Find(int id) const;

    std::map<int, State> controls_;
};

}  // namespace nt
