#include "script/HtmlReport.h"

#include "log/LogWriter.h"
#include "script/ReportTime.h"
#include "script/ScriptFile.h"
#include "text/EmvData.h"
#include "text/ExtractTagValue.h"
#include "text/HtmlText.h"

namespace nt {

namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1em 2em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.1em;margin-top:2em}h4{margin:.5em 0 .2em}"
    "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:2px 8px;text-align:left;"
    "vertical-align:top}"
    ".strip{display:flex;flex-wrap:wrap;gap:1px;margin:1em 0}"
    ".strip a{display:block;width:10px;height:16px}"
    ".p{background:#2e8b3e}.f{background:#c62828}.s{background:#f2b705}.n{background:#999}"
    ".verdict{font-weight:bold;padding:0 6px;color:#fff}"
    "pre{background:#f5f5f5;border:1px solid "
    "#ddd;padding:6px;overflow-x:auto;white-space:pre;tab-size:4}"
    "pre.slip{width:40ch;background:#fffef5;font-family:monospace;white-space:pre}"
    ".receipt{display:flex;flex-wrap:wrap;gap:1em;align-items:flex-start}"
    "pre.emv{font-size:.85em}";

constexpr const char* kBriefHead =
    "<h2>Passed test cases in brief</h2>\n<table class=\"brief\">\n<tr><th>Test case</th>"
    "<th>Line in Script.csv</th><th>Test Case Info</th><th>Type and amount</th>"
    "<th>Actual CmdStatus</th><th>TextResponse</th><th>Time taken</th></tr>\n";

char VerdictLetter(const TestCaseRecord& tc, const Verdict& verdict) {
    if (!tc.reached) {
        return 'n';
    }
    return verdict.status == TestCaseStatus::kPassed   ? 'p'
           : verdict.status == TestCaseStatus::kFailed ? 'f'
                                                       : 's';
}

// The words of the counts, the strip and each test case's verdict.
const char* VerdictWord(char letter) {
    switch (letter) {
        case 'p':
            return "passed";
        case 'f':
            return "failed";
        case 's':
            return "skipped";
        default:
            return "not reached";
    }
}

std::string Row(const char* name, const std::string& cp1252Value) {
    return std::string("<tr><th>") + name + "</th><td>" + HtmlEscape(cp1252Value) + "</td></tr>\n";
}

std::string Cell(const std::string& cp1252) {
    return "<td>" + HtmlEscape(cp1252) + "</td>";
}

// `title` is markup.
std::string Pre(const std::string& title, const std::string& cp1252, const char* cls = nullptr,
                const char* level = "h3") {
    return std::string("<") + level + ">" + title + "</" + level + ">\n<pre" +
           (cls != nullptr ? std::string(" class=\"") + cls + "\"" : "") + ">" +
           HtmlEscape(cp1252) + "</pre>\n";
}

// A receipt copy as a slip: CRs and the blanks that end its lines take no room on paper.
std::string Slip(std::string_view text) {
    std::string slip;
    slip.reserve(text.size());
    for (const char c : text) {
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            while (!slip.empty() && slip.back() == ' ') {
                slip.pop_back();
            }
        }
        slip += c;
    }
    return slip;
}

// The EMV data block without its title line, which the page's heading gives.
std::string EmvLines(const std::vector<EmvField>& fields) {
    const std::string block = FormatEmvBlock(fields);
    const size_t firstLineEnd = block.find('\n');
    return firstLineEnd == std::string::npos ? block : block.substr(firstLineEnd + 1);
}

// A response whose receipt the page draws as slips: its print lines are the slips' own text, so
// the page names how many there were instead of showing them twice (10,000 Sales stay near
// 50 MB). The JUnit report and the log keep the response whole.
std::string WithoutPrintLines(const std::string& response) {
    std::string shown = response;
    for (const std::string tag : {"PrintData", "CustomerPrintData"}) {
        const std::string open = "<" + tag + ">";
        const std::string close = "</" + tag + ">";
        const size_t begin = shown.find(open);
        const size_t end = begin == std::string::npos ? begin : shown.find(close, begin);
        if (end == std::string::npos) {
            continue;
        }
        const std::string_view inner(shown.data() + begin + open.size(), end - begin - open.size());
        size_t lines = 0;
        for (size_t at = inner.find("</Line"); at != std::string_view::npos;
             at = inner.find("</Line", at + 1)) {
            ++lines;
        }
        shown.replace(begin + open.size(), inner.size(),
                      "[" + std::to_string(lines) + " print lines: the receipt copies below]");
    }
    return shown;
}

std::string LastTextResponse(const TestCaseRecord& tc) {
    return tc.responses.empty() ? std::string()
                                : ExtractTagValue(tc.responses.back(), "TextResponse");
}

std::string ReceiptHtml(const TestCaseRecord& tc, size_t i) {
    const RenderedReceipt& copies = tc.receiptCopies[i];
    std::string html = "<h3>Receipt written to " +
                       HtmlEscape(std::string(kLogDirectory) + "/" + tc.receipts[i] + ".txt") +
                       "</h3>\n<div class=\"receipt\">\n<div>" +
                       Pre("Cardholder copy", Slip(copies.cardholderCopy), "slip", "h4") +
                       "</div>\n<div>" +
                       Pre("Merchant copy", Slip(copies.merchantCopy), "slip", "h4") + "</div>\n";
    const size_t response = i < tc.receiptResponses.size() ? tc.receiptResponses[i] : 0;
    if (response < tc.emv.size() && !tc.emv[response].empty()) {
        html += "<div>" + Pre("EMV data of the response", EmvLines(tc.emv[response]), "emv", "h4") +
                "</div>\n";
    }
    return html + "</div>\n";
}

bool HasReceipt(const TestCaseRecord& tc, size_t response) {
    for (size_t i = 0; i < tc.receiptCopies.size() && i < tc.receiptResponses.size(); ++i) {
        if (tc.receiptResponses[i] == response) {
            return true;
        }
    }
    return false;
}

std::string TestCaseHtml(const TestCaseRecord& tc, const Verdict& verdict, char letter) {
    const std::string id = "tc" + std::to_string(tc.index);
    std::string html = "<section id=\"" + id + "\">\n<h2>" + std::to_string(tc.index) + ". " +
                       HtmlEscape(TestCaseName(tc)) + " <span class=\"verdict " + letter + "\">" +
                       VerdictWord(letter) + "</span></h2>\n<table>\n";
    html += Row("Line in Script.csv", std::to_string(tc.line));
    html += Row("Test Case Info", tc.row.Info());
    html += Row("Type and amount", tc.row.Type() + " " + tc.row.Amount());
    if (!tc.shard.empty()) {
        html += Row("Shard", tc.shard);
    }
    html += Row("Expected CmdStatus", tc.row.ExpectedOutcome());
    html += Row("Actual CmdStatus", tc.lastStatus.value_or(""));
    html += Row("TextResponse", LastTextResponse(tc));
    std::string reasons;
    for (const std::string& reason : verdict.reasons) {
        reasons += (reasons.empty() ? "" : "\n") + reason;
    }
    if (!reasons.empty()) {
        html += Row(letter == 'f' ? "Why it failed" : "Why it did not run", reasons);
    }
    html += Row("Time taken", ReportSeconds(tc.elapsedMs) + " s");
    html += "</table>\n";
    for (size_t i = 0; i < tc.requests.size(); ++i) {
        if (i < tc.composed.size() && !tc.composed[i].empty()) {
            html += Pre("Request as composed, before the edit", tc.composed[i]);
        }
        html += Pre("Request as sent", tc.requests[i]);
    }
    for (size_t r = 0; r < tc.responses.size(); ++r) {
        const bool receipt = HasReceipt(tc, r);
        html += Pre("Response as received",
                    receipt ? WithoutPrintLines(tc.responses[r]) : tc.responses[r]);
        if (!receipt && r < tc.emv.size() && !tc.emv[r].empty()) {
            html += Pre("EMV data of the response", EmvLines(tc.emv[r]), "emv");
        }
    }
    for (size_t i = 0; i < tc.receipts.size() && i < tc.receiptCopies.size(); ++i) {
        html += ReceiptHtml(tc, i);
    }
    for (const std::string& message : tc.errorMessages) {
        html += Pre("Message box the operator saw", message);
    }
    return html + "</section>\n";
}

// A passed test case past the first ones shown whole: one row of a brief table.
std::string BriefRow(const TestCaseRecord& tc) {
    return "<tr id=\"tc" + std::to_string(tc.index) + "\"><td>" + std::to_string(tc.index) +
           "</td><td>" + std::to_string(tc.line) + "</td>" + Cell(TestCaseName(tc)) +
           Cell(tc.row.Type() + " " + tc.row.Amount()) + Cell(tc.lastStatus.value_or("")) +
           Cell(LastTextResponse(tc)) + "<td>" + ReportSeconds(tc.elapsedMs) + " s</td></tr>\n";
}

}  // namespace

bool HtmlReport::Open(const std::string& path) {
    path_ = path;
    file_.reset();
    file_.emplace();
    verdicts_.clear();
    passed_ = 0;
    brief_ = 0;
    briefOpen_ = false;
    written_ = false;
    return file_->Open(path);
}

void HtmlReport::OnRunStarted(const LocalTime& started) {
    if (written_) {
        Open(path_);
    }
    started_ = started;
}

void HtmlReport::OnTestCase(const SharedTestCase& shared, const Verdict& verdict) {
    const TestCaseRecord& testCase = *shared;
    const char letter = VerdictLetter(testCase, verdict);
    verdicts_ += letter;
    if (letter == 'p' && ++passed_ > kFullPassedCases) {
        ++brief_;
        file_->Append((briefOpen_ ? std::string() : std::string(kBriefHead)) + BriefRow(testCase));
        briefOpen_ = true;
        return;
    }
    file_->Append((briefOpen_ ? "</table>\n" : "") + TestCaseHtml(testCase, verdict, letter));
    briefOpen_ = false;
}

void HtmlReport::OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) {
    int tally[4] = {0, 0, 0, 0};  // passed, failed, skipped, not reached
    for (char letter : verdicts_) {
        ++tally[letter == 'p' ? 0 : letter == 'f' ? 1 : letter == 's' ? 2 : 3];
    }
    std::string head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Nordteller script run</title>\n<style>" +
        std::string(kStyle) +
        "</style>\n</head>\n<body>\n<h1>Nordteller script run</h1>\n<table>\n";
    head += Row("Nordteller version", version_);
    head += Row("Payment client", control_);
    for (const auto& [name, value] : headerRows_) {
        head += Row(name.c_str(), value);
    }
    head += Row("Started", ReportStamp(started_, ' '));
    head += Row("Duration", ReportSeconds(elapsedMs) + " s");
    if (!counts.interrupted.empty()) {
        head += "<tr><th>Interrupted</th><td class=\"verdict f\">" +
                HtmlEscape(counts.interrupted) +
                "; the test cases after it are not here</td></tr>\n";
    }
    std::string total = std::to_string(counts.tests) + ":";
    for (int i = 0; i < 4; ++i) {
        total += std::string(i == 0 ? " " : ", ") + std::to_string(tally[i]) + " " +
                 VerdictWord("pfsn"[i]);
    }
    head += Row("Test cases", total);
    if (brief_ > 0) {
        head += Row("Shown in brief",
                    std::to_string(brief_) + " passed test cases after the first " +
                        std::to_string(kFullPassedCases) +
                        " passed ones, one table row each (the JSON record of the run keeps "
                        "them whole)");
    }
    head += "</table>\n<nav class=\"strip\">";
    for (size_t i = 0; i < verdicts_.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        head += "<a class=\"" + std::string(1, verdicts_[i]) + "\" href=\"#tc" + n + "\" title=\"" +
                n + " " + VerdictWord(verdicts_[i]) + "\"></a>";
    }
    head += "</nav>\n";
    written_ =
        file_->Commit(head, (briefOpen_ ? "</table>\n" : "") + std::string("</body>\n</html>\n"));
}

}  // namespace nt
