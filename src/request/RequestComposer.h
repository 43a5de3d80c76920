#pragma once

#include <string>

#include "platform/Form.h"
#include "platform/Operator.h"
#include "request/AmountEdit.h"

namespace nt {

// The three manual entry values the composer remembers from one request to the next.
struct ManualEntries {
    std::string zipCode;
    std::string streetNumber;
    std::string cvv;
};

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

// The TranCode written when a record number stands in for the card.
std::string RecordNoTranCode(const std::string& tranCode);

}  // namespace nt
