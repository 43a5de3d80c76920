#include "script/JUnitReport.h"

#include <cstdio>

#include "log/LogWriter.h"
#include "platform/StaleTemporaries.h"
#include "platform/TextFile.h"
#include "script/ScriptFile.h"
#include "script/XmlText.h"

namespace nt {

namespace {

// Milliseconds as seconds with three decimals, exactly.
std::string Seconds(uint64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%03llu", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    return text;
}

std::string Timestamp(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year % 10000, t.month % 100,
                  t.day % 100, t.hour % 100, t.minute % 100, t.second % 100);
    return text;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

// What the row did, for <system-out>; Windows-1252 until escaped.
std::string SystemOut(const TestCaseRecord& tc) {
    std::string out = std::string(kScriptFileName) + " line " + std::to_string(tc.line) + ": " +
                      tc.row.Type() + " " + tc.row.Amount() + "\n";
    for (const std::string& request : tc.requests) {
        out += "request:\n" + request + "\n";
    }
    for (const std::string& response : tc.responses) {
        out += "response:\n" + response + "\n";
    }
    if (tc.outcome == TestCaseOutcome::kRan && tc.responses.empty()) {
        out += tc.noResponse == NoResponse::kClientFailed    ? "response: none (client failed)\n"
               : tc.noResponse == NoResponse::kEditCancelled ? "response: none (not sent)\n"
                                                             : "response: none\n";
    }
    for (const std::string& receipt : tc.receipts) {
        out += std::string("receipt: ") + kLogDirectory + "/" + receipt + ".txt\n";
    }
    for (const std::string& message : tc.errorMessages) {
        out += "message: " + message + "\n";
    }
    out += "time: " + Seconds(tc.elapsedMs) + " s\n";
    return out;
}

void AppendTestCase(std::string& xml, const TestCaseRecord& tc, const Verdict& verdict) {
    xml += "  <testcase" + Attribute("name", XmlEscape(TestCaseName(tc), true)) +
           Attribute("classname", kScriptFileName) + Attribute("file", kScriptFileName) +
           Attribute("line", std::to_string(tc.line)) + Attribute("time", Seconds(tc.elapsedMs)) +
           ">\n";
    const std::string first = verdict.reasons.empty() ? "" : verdict.reasons.front();
    if (verdict.status == TestCaseStatus::kSkipped) {
        xml += "    <skipped" + Attribute("message", XmlEscape(first, true)) + "/>\n";
    } else {
        if (verdict.status == TestCaseStatus::kFailed) {
            std::string all;
            for (const std::string& reason : verdict.reasons) {
                all += reason + "\n";
            }
            xml += "    <failure" + Attribute("message", XmlEscape(first, true)) + ">" +
                   XmlEscape(all) + "</failure>\n";
        }
        xml += "    <system-out>" + XmlEscape(SystemOut(tc)) + "</system-out>\n";
    }
    xml += "  </testcase>\n";
}

}  // namespace

std::vector<Verdict> JudgeRun(const ScriptRunRecord& run) {
    std::vector<Verdict> verdicts;
    verdicts.reserve(run.testCases.size());
    for (const TestCaseRecord& tc : run.testCases) {
        verdicts.push_back(Judge(tc));
    }
    return verdicts;
}

ReportCounts CountVerdicts(const std::vector<Verdict>& verdicts) {
    ReportCounts counts;
    for (const Verdict& verdict : verdicts) {
        ++counts.tests;
        counts.failures += verdict.status == TestCaseStatus::kFailed;
        counts.skipped += verdict.status == TestCaseStatus::kSkipped;
    }
    return counts;
}

ReportCounts CountVerdicts(const ScriptRunRecord& run) {
    return CountVerdicts(JudgeRun(run));
}

std::string FormatJUnitReport(const ScriptRunRecord& run) {
    return FormatJUnitReport(run, JudgeRun(run));
}

std::string FormatJUnitReport(const ScriptRunRecord& run, const std::vector<Verdict>& verdicts) {
    std::string cases;
    const ReportCounts counts = CountVerdicts(verdicts);
    for (size_t i = 0; i < run.testCases.size() && i < verdicts.size(); ++i) {
        AppendTestCase(cases, run.testCases[i], verdicts[i]);
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuite" + Attribute("name", kScriptFileName) +
           Attribute("tests", std::to_string(counts.tests)) +
           Attribute("failures", std::to_string(counts.failures)) + Attribute("errors", "0") +
           Attribute("skipped", std::to_string(counts.skipped)) +
           Attribute("time", Seconds(run.elapsedMs)) +
           Attribute("timestamp", Timestamp(run.started)) + ">\n";
    xml += cases;
    xml += "</testsuite>\n";
    return xml;
}

bool WriteJUnitReport(const std::string& path, const ScriptRunRecord& run,
                      const std::vector<Verdict>& verdicts) {
    RemoveStaleTemporaries(path);  // left by an earlier run killed while writing its report
    return WriteFileAtomic(path, FormatJUnitReport(run, verdicts));
}

bool WriteJUnitReport(const std::string& path, const ScriptRunRecord& run) {
    return WriteJUnitReport(path, run, JudgeRun(run));
}

}  // namespace nt
