#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compare/IgnoreRules.h"
#include "compare/JsonLine.h"
#include "compare/LineDiff.h"

namespace nt {

// One value that differs between two runs of a test case: what it is ("verdict", "CmdStatus",
// "response 1 TranResponse/AuthCode", "request 1 Transaction/Amount/Purchase"), and its text in
// each (UTF-8; nullopt where that run has none).
struct FieldDifference {
    std::string what;
    std::optional<std::string> base;
    std::optional<std::string> now;
};

// A receipt copy whose lines differ: both copies' lines as they are, and the rows of their
// line diff.
struct CopyDifference {
    std::string what;  // "receipt 1, merchant copy"
    std::vector<std::string> base;
    std::vector<std::string> now;
    std::vector<DiffRow> rows;
};

// How a test case of one record stands to the other's.
enum class CaseChange { kChanged, kAdded, kMissing };

// A test case that differs: its line and Test Case Info, and what differs; for one added or
// missing, the facts of the record that has it.
struct CaseDifference {
    CaseChange change = CaseChange::kChanged;
    int64_t line = 0;
    std::string info;  // UTF-8
    std::vector<FieldDifference> fields;
    std::vector<CopyDifference> copies;
    // Added or missing: the verdict, CmdStatus and TextResponse of the record that has it.
    std::string verdict;
    std::string status;
    std::string textResponse;
    std::string typeAndAmount;
};

// What differs between two case lines of the same test case, under the rules; nullopt when
// nothing does. Compared: the verdict and its reasons, the script row's columns, CmdStatus,
// TextResponse, each response element by its path, each request as sent element by element,
// the receipt copies line by line, the message boxes and (when not ignored) the duration.
std::optional<CaseDifference> CompareCases(const JsonLine::Value& base, const JsonLine::Value& now,
                                           const IgnoreRules& rules);

// A test case only one record has.
CaseDifference OneSidedCase(const JsonLine::Value& testCase, CaseChange change);

// A case difference in one line, bounded: at most kShownDifferences differences with their
// values (each quoted, at most 80 characters, control characters escaped), then how many more.
std::string SummaryLine(const CaseDifference& difference);
inline constexpr size_t kShownDifferences = 3;

// The elements of an XML document as path, value pairs in document order ("CmdResponse/
// CmdStatus"): every element without child elements, and every attribute ("Amount/@currency");
// a name met again under the same parent gets its number ("PrintData/Line1", "Item[2]").
// nullopt when the text is not XML.
std::optional<std::vector<std::pair<std::string, std::string>>> XmlElements(const std::string& xml);

}  // namespace nt
