#include "script/ResultsCaseLine.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <string_view>

#include "log/LogWriter.h"
#include "platform/Codepage.h"
#include "text/ExtractTagValue.h"

namespace nt {

namespace {

// Every text it is given is UTF-8 already (converted from Windows-1252), so it escapes without
// checking the encoding again.
class CaseWriter {
  public:
    CaseWriter() : buffer_(nullptr, 8192), writer_(buffer_) {}

    std::string Line() const { return std::string(buffer_.GetString(), buffer_.GetSize()); }

    void BeginObject() { writer_.StartObject(); }
    void EndObject() { writer_.EndObject(); }
    void BeginArray(const char* key) {
        Key(key);
        writer_.StartArray();
    }
    void EndArray() { writer_.EndArray(); }
    void Key(const char* key) { writer_.Key(key); }

    void Utf8(std::string_view text) {
        writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    }
    void Text(std::string_view cp1252) { Utf8(Cp1252ToUtf8(cp1252)); }
    void Text(const char* key, std::string_view cp1252) {
        Key(key);
        Text(cp1252);
    }
    // An empty text is "not given" here: null.
    void TextOrNull(const char* key, std::string_view cp1252) {
        Key(key);
        if (cp1252.empty()) {
            writer_.Null();
        } else {
            Text(cp1252);
        }
    }
    template <typename Range>
    void Texts(const char* key, const Range& cp1252) {
        BeginArray(key);
        for (const std::string& text : cp1252) {
            Text(text);
        }
        EndArray();
    }
    void Null(const char* key) {
        Key(key);
        writer_.Null();
    }
    void Bool(const char* key, bool value) {
        Key(key);
        writer_.Bool(value);
    }
    void Number(const char* key, uint64_t value) {
        Key(key);
        writer_.Uint64(value);
    }
    void Name(const char* key, const char* ascii) {
        Key(key);
        writer_.String(ascii);
    }

  private:
    rapidjson::StringBuffer buffer_;
    rapidjson::Writer<rapidjson::StringBuffer> writer_;
};

// A receipt copy with one line end throughout: its print lines come with CR LF.
std::string CopyText(std::string_view cp1252) {
    std::string lines = Cp1252ToUtf8(cp1252);
    size_t to = 0;
    for (size_t from = 0; from < lines.size();) {
        const size_t crlf = lines.find("\r\n", from);
        const size_t end = crlf == std::string::npos ? lines.size() : crlf;
        std::copy(lines.begin() + static_cast<std::ptrdiff_t>(from),
                  lines.begin() + static_cast<std::ptrdiff_t>(end),
                  lines.begin() + static_cast<std::ptrdiff_t>(to));
        to += end - from;
        from = crlf == std::string::npos ? end : end + 1;  // the LF starts the next piece
    }
    lines.resize(to);
    return lines;
}

const char* VerdictName(const TestCaseRecord& tc, const Verdict& verdict) {
    if (!tc.reached) {
        return "not_reached";
    }
    switch (verdict.status) {
        case TestCaseStatus::kPassed:
            return "passed";
        case TestCaseStatus::kFailed:
            return "failed";
        case TestCaseStatus::kSkipped:
            break;
    }
    return "skipped";
}

void WriteEmv(CaseWriter& out, const std::vector<EmvField>& fields) {
    out.BeginArray("emv");
    for (const EmvField& field : fields) {
        out.BeginObject();
        out.Text("name", field.name);
        out.Text("value", field.value);
        out.Bool("decoded", field.decoded);
        out.TextOrNull("problem", field.problem);
        out.Texts("meanings", field.meanings);
        out.EndObject();
    }
    out.EndArray();
}

}  // namespace

std::string ResultsCaseLine(const TestCaseRecord& tc, const Verdict& verdict) {
    CaseWriter out;
    out.BeginObject();
    out.Name("record", "case");
    out.Number("index", static_cast<uint64_t>(tc.index));
    out.Number("line", static_cast<uint64_t>(tc.line));
    out.Text("name", TestCaseName(tc));
    out.Text("test_case_info", tc.row.Info());
    out.Text("type", tc.row.Type());
    out.Text("amount", tc.row.Amount());
    out.Texts("columns", tc.row.columns);
    out.TextOrNull("expected_status", tc.row.ExpectedOutcome());
    if (tc.lastStatus) {
        out.Text("actual_status", *tc.lastStatus);
    } else {
        out.Null("actual_status");
    }
    if (tc.responses.empty()) {
        out.Null("text_response");
    } else {
        out.Text("text_response", ExtractTagValue(tc.responses.back(), "TextResponse"));
    }
    out.Name("verdict", VerdictName(tc, verdict));
    out.Texts("reasons", verdict.reasons);
    out.BeginArray("requests");
    for (size_t i = 0; i < tc.requests.size(); ++i) {
        out.BeginObject();
        out.Text("sent", tc.requests[i]);
        out.TextOrNull("composed", i < tc.composed.size() ? tc.composed[i] : std::string());
        out.EndObject();
    }
    out.EndArray();
    out.BeginArray("responses");
    for (size_t i = 0; i < tc.responses.size(); ++i) {
        out.BeginObject();
        out.Text("text", tc.responses[i]);
        WriteEmv(out, i < tc.emv.size() ? tc.emv[i] : std::vector<EmvField>());
        out.EndObject();
    }
    out.EndArray();
    if (tc.outcome == TestCaseOutcome::kRan && tc.responses.empty()) {
        out.Name("no_response", !tc.noResponse                                ? "nothing_sent"
                                : *tc.noResponse == NoResponse::kClientFailed ? "client_failed"
                                                                              : "edit_cancelled");
    } else {
        out.Null("no_response");
    }
    out.BeginArray("receipts");
    for (size_t i = 0; i < tc.receipts.size() && i < tc.receiptCopies.size(); ++i) {
        out.BeginObject();
        out.Text("file", std::string(kLogDirectory) + "/" + tc.receipts[i] + ".txt");
        out.Key("cardholder_copy");
        out.Utf8(CopyText(tc.receiptCopies[i].cardholderCopy));
        out.Key("merchant_copy");
        out.Utf8(CopyText(tc.receiptCopies[i].merchantCopy));
        out.Number("response", i < tc.receiptResponses.size() ? tc.receiptResponses[i] : 0);
        out.EndObject();
    }
    out.EndArray();
    out.Texts("messages", tc.errorMessages);
    out.Number("duration_ms", tc.elapsedMs);
    if (!tc.shard.empty()) {
        out.Text("shard", tc.shard);
    }
    out.EndObject();
    return out.Line();
}

}  // namespace nt
