#pragma once

#include <string>

#include "dialogs/Operator.h"

namespace nt {

// The three manual entry values a composer remembers from one command to the next.
struct ManualEntries {
    std::string zipCode;
    std::string streetNumber;
    std::string cvv;
};

// The manual entry dialog, opened with the remembered values, which become the values typed when
// it ends with OK and stay as they were otherwise.
bool AskManualEntryValues(Operator& op, ManualEntries& remembered);

}  // namespace nt
