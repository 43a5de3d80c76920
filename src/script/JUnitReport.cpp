#include "script/JUnitReport.h"

#include "log/LogWriter.h"
#include "script/ReportTime.h"
#include "script/ScriptFile.h"
#include "text/XmlText.h"

namespace nt {

namespace {

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

// What the row did, for <system-out>; Windows-1252 until escaped.
std::string SystemOut(const TestCaseRecord& tc) {
    std::string out = std::string(kScriptFileName) + " line " + std::to_string(tc.line) + ": " +
                      tc.row.Type() + " " + tc.row.Amount() + "\n";
    if (!tc.shard.empty()) {
        out += "shard: " + tc.shard + "\n";
    }
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
    out += "time: " + ReportSeconds(tc.elapsedMs) + " s\n";
    return out;
}

std::string TestCaseXml(const TestCaseRecord& tc, const Verdict& verdict) {
    std::string xml = "  <testcase" + Attribute("name", XmlEscape(TestCaseName(tc), true)) +
                      Attribute("classname", kScriptFileName) + Attribute("file", kScriptFileName) +
                      Attribute("line", std::to_string(tc.line)) +
                      Attribute("time", ReportSeconds(tc.elapsedMs)) + ">\n";
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
    return xml;
}

}  // namespace

void JUnitReport::OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) {
    file_.Append(TestCaseXml(*testCase, verdict));
}

void JUnitReport::OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) {
    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    head += "<testsuite" + Attribute("name", kScriptFileName) +
            Attribute("tests", std::to_string(counts.tests)) +
            Attribute("failures", std::to_string(counts.failures)) + Attribute("errors", "0") +
            Attribute("skipped", std::to_string(counts.skipped)) +
            Attribute("time", ReportSeconds(elapsedMs)) +
            Attribute("timestamp", ReportStamp(started_, 'T')) + ">\n";
    if (!counts.interrupted.empty()) {
        head += "  <properties>\n    <property name=\"interrupted\"" +
                Attribute("value", XmlEscape(counts.interrupted, true)) + "/>\n  </properties>\n";
    }
    written_ = file_.Commit(head, "</testsuite>\n");
}

}  // namespace nt
