#pragma once

#include <initializer_list>
#include <string>

#include "dialogs/Operator.h"

namespace nt {

// The three manual entry values a composer remembers from one command to the next.
struct ManualEntries {
    std::string zipCode;
    std::string streetNumber;
    std::string cvv;
};

bool IsOneOf(const std::string& text, std::initializer_list<const char*> options);

// The commands that ask for the manual entry values while "Prompt Manual" is checked.
bool TakesManualEntry(const std::string& tranCode);

// The manual entry dialog, opened with the remembered values, which become the values typed when
// it ends with OK and stay as they were otherwise.
bool AskManualEntryValues(Operator& op, ManualEntries& remembered);

}  // namespace nt
