#include "compare/CompareReports.h"

#include "platform/Codepage.h"
#include "script/ScriptFile.h"
#include "text/HtmlText.h"
#include "text/XmlText.h"

namespace nt {

namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1em 2em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.1em;margin-top:2em}h3{font-size:1em}"
    "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:2px 8px;text-align:left;"
    "vertical-align:top}"
    "pre{margin:0;white-space:pre-wrap;word-break:break-all;max-width:60em}"
    ".tag{font-weight:bold;padding:0 6px;color:#fff}"
    ".changed{background:#c62828}.added{background:#1565c0}.missing{background:#6d4c41}"
    "nav a{margin-right:1em}"
    "table.slips td{font-family:monospace;white-space:pre;min-width:40ch}"
    "table.slips td.mark{min-width:0;text-align:center;font-weight:bold}"
    "tr.chg td{background:#fff3cd}tr.chg td.old{background:#fde0dc}"
    "tr.chg td.new{background:#dcf5dc}td.none{background:#eee}tr.ign td{color:#777}";

// The records' texts are UTF-8 made from the core's Windows-1252; the escapers take the latter.
std::string Html(const std::string& utf8) {
    return HtmlEscape(Utf8ToCp1252(utf8));
}

std::string Xml(const std::string& utf8, bool attribute = false) {
    return XmlEscape(Utf8ToCp1252(utf8), attribute);
}

const char* ChangeWord(CaseChange change) {
    switch (change) {
        case CaseChange::kChanged:
            return "changed";
        case CaseChange::kAdded:
            return "added";
        case CaseChange::kMissing:
            break;
    }
    return "missing";
}

std::string CaseName(int64_t line, const std::string& info) {
    return info.empty() ? "row " + std::to_string(line) : info;
}

std::string ValueCell(const std::optional<std::string>& value) {
    return value ? "<td><pre>" + Html(*value) + "</pre></td>"
                 : "<td class=\"none\"><em>none</em></td>";
}

std::string Row(const std::string& name, const std::string& base, const std::string& now) {
    return "<tr><th>" + name + "</th><td>" + Html(base) + "</td><td>" + Html(now) + "</td></tr>\n";
}

std::string ScriptText(const RecordRun& run) {
    if (run.scriptSha256.empty()) {
        return "not named by the record";
    }
    return std::to_string(run.scriptBytes) + " bytes, SHA-256 " + run.scriptSha256;
}

std::string ShardText(const RecordRun& run) {
    if (run.shard) {
        return "shard " + run.shard->Name();
    }
    return run.merged > 0 ? "merged from " + std::to_string(run.merged) + " records"
                          : "the whole run";
}

std::string ResultText(const ComparisonTotals& totals) {
    if (totals.Differing() == 0) {
        return "no test case differs (" + std::to_string(totals.testCases) + " compared)";
    }
    return std::to_string(totals.Differing()) + " of " + std::to_string(totals.testCases) +
           " test cases differ: " + std::to_string(totals.changed) + " changed, " +
           std::to_string(totals.added) + " added, " + std::to_string(totals.missing) + " missing";
}

std::string CopyRows(const CopyDifference& copy) {
    std::string html =
        "<table class=\"slips\">\n<tr><th>Base</th><th class=\"mark\"></th><th>New</th></tr>\n";
    for (const DiffRow& row : copy.rows) {
        const auto cell = [](const std::vector<std::string>& lines, int at, const char* cls) {
            if (at < 0) {
                return std::string("<td class=\"none\"></td>");
            }
            return std::string("<td class=\"") + cls + "\">" +
                   Html(lines[static_cast<size_t>(at)]) + "</td>";
        };
        // A line that differs only in what is ignored (a date, a sequence number) is told apart
        // from one the same as it stands, and not marked as changed.
        const bool ignored =
            !row.changed && row.base >= 0 && row.now >= 0 &&
            copy.base[static_cast<size_t>(row.base)] != copy.now[static_cast<size_t>(row.now)];
        html += std::string(row.changed ? "<tr class=\"chg\">"
                            : ignored   ? "<tr class=\"ign\">"
                                        : "<tr>") +
                cell(copy.base, row.base, "old") + "<td class=\"mark\">" +
                (row.changed ? "&#8800;"
                 : ignored   ? "&#8776;"
                             : "") +
                "</td>" + cell(copy.now, row.now, "new") + "</tr>\n";
    }
    return html + "</table>\n";
}

}  // namespace

std::string DifferenceText(const CaseDifference& d) {
    std::string text;
    if (d.change != CaseChange::kChanged) {
        text += std::string("only in the ") + (d.change == CaseChange::kAdded ? "new" : "base") +
                " record: " + d.typeAndAmount + ", " + d.verdict;
        if (!d.status.empty()) {
            text += ", CmdStatus " + d.status;
        }
        if (!d.textResponse.empty()) {
            text += ", TextResponse " + d.textResponse;
        }
        return text + "\n";
    }
    for (const FieldDifference& field : d.fields) {
        text += field.what + ":\n  base: " + (field.base ? *field.base : "(none)") +
                "\n  new:  " + (field.now ? *field.now : "(none)") + "\n";
    }
    for (const CopyDifference& copy : d.copies) {
        text += copy.what + ":\n";
        for (const DiffRow& row : copy.rows) {
            if (!row.changed) {
                continue;
            }
            if (row.base >= 0) {
                text += "  - " + copy.base[static_cast<size_t>(row.base)] + "\n";
            }
            if (row.now >= 0) {
                text += "  + " + copy.now[static_cast<size_t>(row.now)] + "\n";
            }
        }
    }
    return text;
}

void CompareHtml::OnDifference(const CaseDifference& d) {
    const std::string id = "l" + std::to_string(d.line);
    const char* word = ChangeWord(d.change);
    strip_ += "<a href=\"#" + id + "\">line " + std::to_string(d.line) + "</a> ";
    std::string html = "<section id=\"" + id + "\">\n<h2>Line " + std::to_string(d.line) + ": " +
                       Html(CaseName(d.line, d.info)) + " <span class=\"tag " + word + "\">" +
                       word + "</span></h2>\n";
    if (d.change != CaseChange::kChanged) {
        html += std::string("<p>Only in the ") + (d.change == CaseChange::kAdded ? "new" : "base") +
                " record.</p>\n<table>\n<tr><th>Type and amount</th><td>" + Html(d.typeAndAmount) +
                "</td></tr>\n<tr><th>Verdict</th><td>" + Html(d.verdict) +
                "</td></tr>\n<tr><th>CmdStatus</th><td>" + Html(d.status) +
                "</td></tr>\n<tr><th>TextResponse</th><td>" + Html(d.textResponse) +
                "</td></tr>\n</table>\n";
        file_.Append(html + "</section>\n");
        return;
    }
    if (!d.fields.empty()) {
        html +=
            "<table class=\"fields\">\n<tr><th>What differs</th><th>Base</th><th>New</th></tr>\n";
        for (const FieldDifference& field : d.fields) {
            html += "<tr><th>" + Html(field.what) + "</th>" + ValueCell(field.base) +
                    ValueCell(field.now) + "</tr>\n";
        }
        html += "</table>\n";
    }
    for (const CopyDifference& copy : d.copies) {
        html += "<h3>" + Html(copy.what) + "</h3>\n" + CopyRows(copy);
    }
    file_.Append(html + "</section>\n");
}

bool CompareHtml::Commit(const ComparedRecord& base, const ComparedRecord& now,
                         const ComparisonTotals& totals) {
    std::string head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Nordteller records compared</title>\n<style>" +
        std::string(kStyle) +
        "</style>\n</head>\n<body>\n<h1>Nordteller records compared</h1>\n<table>\n"
        "<tr><th></th><th>Base</th><th>New</th></tr>\n";
    head += Row("Record", base.path, now.path);
    head += Row("Started", base.run.started, now.run.started);
    head += Row("Nordteller version", base.run.programVersion, now.run.programVersion);
    head += Row("Payment client", base.run.paymentClient, now.run.paymentClient);
    head += Row("Run", ShardText(base.run), ShardText(now.run));
    head += Row(kScriptFileName, ScriptText(base.run), ScriptText(now.run));
    head += Row("Test cases", std::to_string(base.cases), std::to_string(now.cases));
    head += "</table>\n<table>\n<tr><th>Result</th><td>" + Html(ResultText(totals)) +
            "</td></tr>\n<tr><th>Ignored</th><td>" + Html(totals.ignored) + "</td></tr>\n";
    for (const std::string& note : totals.notes) {
        head += "<tr><th>Note</th><td>" + Html(note) + "</td></tr>\n";
    }
    head += "</table>\n";
    if (!strip_.empty()) {
        head +=
            "<p>Receipt lines: &#8800; differs; &#8776; differs only in what is ignored.</p>\n"
            "<nav>" +
            strip_ + "</nav>\n";
    }
    return file_.Commit(head, "</body>\n</html>\n");
}

void CompareJUnit::OnSame(int64_t line, const std::string& info) {
    file_.Append("  <testcase name=\"" + Xml(CaseName(line, info), true) +
                 "\" classname=\"compare\" file=\"" + kScriptFileName + "\" line=\"" +
                 std::to_string(line) + "\"/>\n");
}

void CompareJUnit::OnDifference(const CaseDifference& d) {
    const std::string summary = SummaryLine(d);
    file_.Append("  <testcase name=\"" + Xml(CaseName(d.line, d.info), true) +
                 "\" classname=\"compare\" file=\"" + kScriptFileName + "\" line=\"" +
                 std::to_string(d.line) + "\">\n    <failure message=\"" + Xml(summary, true) +
                 "\">" + Xml(DifferenceText(d)) + "</failure>\n  </testcase>\n");
}

bool CompareJUnit::Commit(const ComparedRecord& base, const ComparedRecord& now,
                          const ComparisonTotals& totals) {
    std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuite name=\"compare\" tests=\"" +
        std::to_string(totals.testCases) + "\" failures=\"" + std::to_string(totals.Differing()) +
        "\" errors=\"0\" skipped=\"0\">\n  <properties>\n";
    const auto property = [&head](const char* name, const std::string& value) {
        head += std::string("    <property name=\"") + name + "\" value=\"" + Xml(value, true) +
                "\"/>\n";
    };
    property("base", base.path);
    property("new", now.path);
    property("ignored", totals.ignored);
    for (const std::string& note : totals.notes) {
        property("note", note);
    }
    head += "  </properties>\n";
    return file_.Commit(head, "</testsuite>\n");
}

}  // namespace nt
