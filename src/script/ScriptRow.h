#pragma once

#include "platform/LeadingNumber.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nt {

// Columns a row keeps: the nine the window uses and the expected outcome of unattended runs.
inline constexpr int kScriptColumns = 10;

// Bits of the option flags column.
inline constexpr int kTipFlag = 1;
inline constexpr int kManualEntryFlag = 2;
inline constexpr int kPartialAuthFlag = 4;
inline constexpr int kOverrideFlag = 8;

// One line of Script.csv split at every comma: no quoting, blanks kept. A column the line does
// not have reads as empty; columns after the tenth are dropped unread.
struct ScriptRow {
    std::array<std::string, kScriptColumns> columns;

    // Column n, counted from 1 (1..kScriptColumns).
    const std::string& Column(int n) const { return columns[static_cast<size_t>(n - 1)]; }
    const std::string& Marker() const { return Column(1); }
    const std::string& Amount() const { return Column(2); }
    const std::string& Tip() const { return Column(3); }
    const std::string& RefNumber() const { return Column(4); }
    const std::string& AuthCode() const { return Column(5); }
    const std::string& Type() const { return Column(6); }
    const std::string& Options() const { return Column(7); }
    const std::string& Language() const { return Column(8); }
    const std::string& Info() const { return Column(9); }
    const std::string& ExpectedOutcome() const { return Column(10); }
};

ScriptRow SplitScriptRow(std::string_view line);

// Whether a line's first column is exactly "Run" (the rest of it unread).
bool HasRunMarker(std::string_view line);

// A row runs when its marker is exactly "Run" and its amount is neither empty nor contains
// "Amount" (which is how the header row and TotalAmount rows drop out).
bool IsRunnableRow(const ScriptRow& row);

// The amount column with ".00" appended when it holds no period.
std::string ScriptAmount(std::string_view column);

// Merchant language column: French only when it reads as the number 1.
bool IsFrenchLanguage(std::string_view column);

// The test case prompt's text.
std::string TestCasePrompt(std::string_view info, std::string_view amount);

// The command button a transaction type runs; nullopt for a type not in the table (compared
// exactly: "sale" is not "Sale").
std::optional<int> TransactionButton(std::string_view type);

}  // namespace nt
