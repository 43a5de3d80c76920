#pragma once

#include <string>

#include "codes/TranCodes.h"
#include "dialogs/AmountEdit.h"
#include "dialogs/Operator.h"
#include "form/WindowForm.h"
#include "pads/PadCatalog.h"
#include "platform/Form.h"
#include "pos/PosState.h"
#include "request/ManualEntries.h"

namespace nt {

// What the composer reads besides the form's fields.
struct ComposerInputs {
    const CAmountEdit& amount;         // 1002
    const CAmountEdit& tipAmount;      // 1015
    const CAmountEdit& purchaseLimit;  // 1027
    std::string padTypeLine;           // the pad type element, two TABs indented
    std::string sequenceNo;            // sent unchanged
    std::string userName;              // the workstation's user
};

// Composes a TStream request from the window's fields for one command. It may ask the operator
// for manual entry values or additional amounts; it changes nothing in the form.
std::string BuildRequest(const Form& form, Operator& op, const ComposerInputs& inputs,
                         ManualEntries& remembered, const std::string& tranCode,
                         const std::string& wrapperName, const std::string& extraElements);

// The window's request composer: the TStream request of one command from the window's fields
// at the moment of the call, with the manual entry values it remembers between commands.
class RequestComposer {
  public:
    RequestComposer(WindowForm& form, Operator& op, const PadCatalog& pads, const PosState& pos)
        : form_(form), op_(op), pads_(pads), pos_(pos) {}
    RequestComposer(const RequestComposer&) = delete;
    RequestComposer& operator=(const RequestComposer&) = delete;

    // The request of a TranCode, in the element its row names; `extraElements` go last.
    std::string BuildRequest(const TranCodeSpec& code, const std::string& extraElements = "");

    ManualEntries& manualEntries() { return manualEntries_; }

  private:
    WindowForm& form_;
    Operator& op_;
    const PadCatalog& pads_;
    const PosState& pos_;
    ManualEntries manualEntries_;
};

}  // namespace nt
