#include "script/ScriptRow.h"

#include "platform/LeadingNumber.h"

#include <climits>

#include "form/Controls.h"
#include "platform/Codepage.h"

namespace nt {

ScriptRow SplitScriptRow(std::string_view line) {
    // The script is Windows-1252; a line saved as UTF-8 by a modern editor is read as what it
    // says, not as two letters for every accented one. A byte order mark is dropped.
    if (line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);
    }
    std::string converted;
    if (LooksLikeUtf8(line)) {
        converted = Utf8ToCp1252(line);
        line = converted;
    }
    ScriptRow row;
    if (line.empty()) {
        return row;
    }
    // Only the kept columns are cut out: a line of thousands of columns costs one scan.
    size_t start = 0;
    for (auto& column : row.columns) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            column.assign(line.substr(start));
            break;
        }
        column.assign(line.substr(start, comma - start));
        start = comma + 1;
    }
    return row;
}

bool HasRunMarker(std::string_view line) {
    return line == "Run" || line.starts_with("Run,");
}

bool IsRunnableRow(const ScriptRow& row) {
    return !row.Amount().empty() && row.Amount().find("Amount") == std::string::npos &&
           row.Marker() == "Run";
}

std::string ScriptAmount(std::string_view column) {
    std::string amount(column);
    if (amount.find('.') == std::string::npos) {
        amount += ".00";
    }
    return amount;
}

bool IsFrenchLanguage(std::string_view column) {
    return LeadingNumber(column) == 1;
}

std::string TestCasePrompt(std::string_view info, std::string_view amount) {
    std::string prompt = "Run Test case: ";
    prompt += info;
    prompt += "\r\nfor: ";
    prompt += amount;
    return prompt;
}

std::optional<int> TransactionButton(std::string_view type) {
    static constexpr std::pair<std::string_view, int> kTypes[] = {
        {"Sale", id::kSale},          {"Return", id::kReturn},
        {"VoidSale", id::kVoidSale},  {"VoidReturn", id::kVoidReturn},
        {"PostAuth", id::kVoiceAuth}, {"Balance", id::kBalanceInq},
    };
    for (auto [name, button] : kTypes) {
        if (type == name) {
            return button;
        }
    }
    return std::nullopt;
}

}  // namespace nt
