#pragma once

#include "platform/Form.h"
#include "ui/ControlWidgets.h"

namespace nt {

// The main window's widgets as the core's form. It only draws: amount formatting, handlers and
// every rule happen in the core before a text or state reaches this.
class QtForm : public Form {
  public:
    explicit QtForm(ControlMap controls) : controls_(std::move(controls)) {}

    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool Enabled(int id) const override;
    void SetEnabled(int id, bool enabled) override;
    bool Visible(int id) const override;
    void SetVisible(int id, bool visible) override;

  private:
    QWidget* Find(int id) const;

    ControlMap controls_;
};

}  // namespace nt
