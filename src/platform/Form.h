#pragma once

#include <string>

namespace nt {

// The window's controls by identifier. The core reads and writes the screen only through this;
// the Qt window and the in-memory form of headless mode both implement it. Texts are
// Windows-1252. Reading an identifier the form does not have gives an empty text / false.
class Form {
  public:
    virtual ~Form() = default;

    virtual std::string Text(int id) const = 0;
    // A program-set text: amount fields pass it through their formatting.
    virtual void SetText(int id, const std::string& text) = 0;

    virtual bool Checked(int id) const = 0;
    // Changes the check state only; no handler runs. Checking a radio button clears its group.
    virtual void SetChecked(int id, bool checked) = 0;

    virtual bool Enabled(int id) const = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;

    virtual bool Visible(int id) const = 0;
    virtual void SetVisible(int id, bool visible) = 0;
};

}  // namespace nt
