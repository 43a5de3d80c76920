#include "script/HtmlReport.h"

#include "script/ReportTime.h"
#include "script/ScriptFile.h"
#include "text/ExtractTagValue.h"
#include "text/HtmlText.h"

namespace nt {

namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1em 2em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.1em;margin-top:2em}"
    "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:2px 8px;text-align:left;"
    "vertical-align:top}"
    ".strip{display:flex;flex-wrap:wrap;gap:1px;margin:1em 0}"
    ".strip a{display:block;width:10px;height:16px}"
    ".p{background:#2e8b3e}.f{background:#c62828}.s{background:#f2b705}.n{background:#999}"
    ".verdict{font-weight:bold;padding:0 6px;color:#fff}"
    "pre{background:#f5f5f5;border:1px solid "
    "#ddd;padding:6px;overflow-x:auto;white-space:pre;tab-size:4}"
    "pre.slip{width:40ch;background:#fffef5;font-family:monospace;white-space:pre}";

char VerdictLetter(const TestCaseRecord& tc, const Verdict& verdict) {
    if (!tc.reached) {
        return 'n';
    }
    return verdict.status == TestCaseStatus::kPassed   ? 'p'
           : verdict.status == TestCaseStatus::kFailed ? 'f'
                                                       : 's';
}

const char* VerdictWord(char letter) {
    switch (letter) {
        case 'p':
            return "passed";
        case 'f':
            return "failed";
        case 's':
            return "skipped";
        default:
            return "not run";
    }
}

std::string Row(const char* name, const std::string& cp1252Value) {
    return std::string("<tr><th>") + name + "</th><td>" + HtmlEscape(cp1252Value) + "</td></tr>\n";
}

std::string Pre(const char* title, const std::string& cp1252, const char* cls = nullptr) {
    return std::string("<h3>") + title + "</h3>\n<pre" +
           (cls != nullptr ? std::string(" class=\"") + cls + "\"" : "") + ">" +
           HtmlEscape(cp1252) + "</pre>\n";
}

// A receipt as a slip: CRs and the blanks that end its lines take no room on paper.
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
                      "[" + std::to_string(lines) + " print lines: the receipt below]");
    }
    return shown;
}

std::string TestCaseHtml(const TestCaseRecord& tc, const Verdict& verdict, char letter) {
    const std::string id = "tc" + std::to_string(tc.index);
    std::string html = "<section id=\"" + id + "\">\n<h2>" + std::to_string(tc.index) + ". " +
                       HtmlEscape(TestCaseName(tc)) + " <span class=\"verdict " + letter + "\">" +
                       VerdictWord(letter) + "</span></h2>\n<table>\n";
    html += Row(kScriptFileName, "line " + std::to_string(tc.line));
    html += Row("Test Case Info", tc.row.Info());
    html += Row("Type and amount", tc.row.Type() + " " + tc.row.Amount());
    html += Row("Expected CmdStatus", tc.row.ExpectedOutcome());
    html += Row("Actual CmdStatus", tc.lastStatus.value_or(""));
    const std::string last = tc.responses.empty() ? std::string() : tc.responses.back();
    html += Row("TextResponse", ExtractTagValue(last, "TextResponse"));
    std::string reasons;
    for (const std::string& reason : verdict.reasons) {
        reasons += (reasons.empty() ? "" : "\n") + reason;
    }
    html += Row("Why", reasons);
    html += Row("Time", ReportSeconds(tc.elapsedMs) + " s");
    html += "</table>\n";
    for (size_t i = 0; i < tc.requests.size(); ++i) {
        if (i < tc.composed.size() && !tc.composed[i].empty()) {
            html += Pre("Request as composed, before the edit", tc.composed[i]);
        }
        html += Pre("Request as sent", tc.requests[i]);
    }
    for (const std::string& response : tc.responses) {
        html += Pre("Response", tc.receiptTexts.empty() ? response : WithoutPrintLines(response));
    }
    for (size_t i = 0; i < tc.receipts.size() && i < tc.receiptTexts.size(); ++i) {
        html += Pre(("Receipt " + HtmlEscape(tc.receipts[i])).c_str(), Slip(tc.receiptTexts[i]),
                    "slip");
    }
    for (const std::string& message : tc.errorMessages) {
        html += Pre("Message", message);
    }
    return html + "</section>\n";
}

}  // namespace

bool HtmlReport::Open(const std::string& path) {
    path_ = path;
    file_.reset();
    file_.emplace();
    verdicts_.clear();
    written_ = false;
    return file_->Open(path);
}

void HtmlReport::OnRunStarted(const LocalTime& started) {
    if (written_) {
        Open(path_);
    }
    started_ = started;
}

void HtmlReport::OnTestCase(const TestCaseRecord& testCase, const Verdict& verdict) {
    const char letter = VerdictLetter(testCase, verdict);
    verdicts_ += letter;
    file_->Append(TestCaseHtml(testCase, verdict, letter));
}

void HtmlReport::OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) {
    int notRun = 0;
    for (char letter : verdicts_) {
        notRun += letter == 'n' ? 1 : 0;
    }
    const int passed = counts.tests - counts.failures - counts.skipped;
    std::string head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Nordteller script run</title>\n<style>" +
        std::string(kStyle) +
        "</style>\n</head>\n<body>\n<h1>Nordteller script run</h1>\n<table>\n";
    head += Row("Version", NORDTELLER_VERSION);
    head += Row("Payment client", control_);
    head += Row("Started", ReportStamp(started_, ' '));
    head += Row("Duration", ReportSeconds(elapsedMs) + " s");
    if (!counts.interrupted.empty()) {
        head += "<tr><th>Interrupted</th><td class=\"verdict f\">" +
                HtmlEscape(counts.interrupted) +
                "; the test cases after it are not here</td></tr>\n";
    }
    head += "<tr><th>Test cases</th><td>" + std::to_string(counts.tests) + ": " +
            std::to_string(passed) + " passed, " + std::to_string(counts.failures) + " failed, " +
            std::to_string(counts.skipped - notRun) + " skipped, " + std::to_string(notRun) +
            " not run</td></tr>\n</table>\n<nav class=\"strip\">";
    for (size_t i = 0; i < verdicts_.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        head += "<a class=\"" + std::string(1, verdicts_[i]) + "\" href=\"#tc" + n + "\" title=\"" +
                n + " " + VerdictWord(verdicts_[i]) + "\"></a>";
    }
    head += "</nav>\n";
    written_ = file_->Commit(head, "</body>\n</html>\n");
}

}  // namespace nt
