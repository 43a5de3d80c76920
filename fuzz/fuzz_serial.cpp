// A test terminal's reply from any bytes, arriving in pieces at any times and with line errors:
// the collected reply is what arrived, in order; a reply taken as complete is complete; its
// fields are the first tokens of the reply; its lines are non-empty and end in CR LF; the
// receipt built from it holds the body whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log/ReceiptSink.h"
#include "platform/Clock.h"
#include "serial/ReplyFields.h"
#include "serial/SerialPort.h"
#include "serial/SerialReceipt.h"
#include "serial/SerialWait.h"
#include "support/FakeSerialLine.h"
#include "support/SilentOperator.h"

namespace {

class CollectingSink : public nt::ReceiptSink {
  public:
    std::vector<std::string> entries;
    void Trace(std::string_view entry) override { entries.emplace_back(entry); }
};

bool IsTokenByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x21 && byte <= 0x7F;
}

void CheckFields(const std::string& reply) {
    const nt::CReplyFields fields(reply);
    size_t from = 0;
    for (size_t n = 1; n <= nt::CReplyFields::kCount; ++n) {
        const std::string& token = fields.Token(n);
        if (token.empty()) {
            // No later token either.
            for (size_t m = n + 1; m <= nt::CReplyFields::kCount; ++m) {
                if (!fields.Token(m).empty()) {
                    std::abort();
                }
            }
            break;
        }
        const size_t at = reply.find(token, from);
        const size_t end = at + token.size();
        if (at == std::string::npos || !std::all_of(token.begin(), token.end(), IsTokenByte) ||
            end >= reply.size() || IsTokenByte(reply[end]) ||
            (at > 0 && IsTokenByte(reply[at - 1]))) {
            std::abort();
        }
        from = end;
    }
    if (!fields.Token(0).empty() || !fields.Token(nt::CReplyFields::kCount + 1).empty()) {
        std::abort();
    }
}

void CheckLines(const std::string& lines) {
    for (size_t at = 0; at < lines.size();) {
        const size_t end = lines.find("\r\n", at);
        if (end == std::string::npos || end == at) {
            std::abort();
        }
        const std::string_view line(lines.data() + at, end - at);
        if (line.find_first_of("\r\n") != std::string_view::npos) {
            std::abort();
        }
        at = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    nt::ManualClock clock;
    auto line = std::make_shared<nt::test::FakeLine>(clock);
    line->errorQueries = in.ConsumeIntegralInRange(0, 3);
    // A bounded wait keeps every input quick; the real waits differ only in length.
    const uint32_t timeoutMs = in.ConsumeIntegralInRange<uint32_t>(1, 4000);
    const int pieces = in.ConsumeIntegralInRange(0, 8);
    uint64_t at = 0;
    for (int i = 0; i < pieces && in.remaining_bytes() > 0; ++i) {
        at += in.ConsumeIntegralInRange<uint64_t>(0, 700);
        line->arrivals.emplace(at, in.ConsumeRandomLengthString(4096));
    }
    line->arrivals.emplace(at, in.ConsumeRemainingBytesAsString());
    // Pieces due at one tick arrive in the order they were added.
    std::string arriving;
    for (const auto& piece : line->arrivals) {
        arriving += piece.second;
    }

    nt::CSerialPort port(clock, nt::test::FakeOpener(line));
    if (!port.OpenPort(1, nt::kTerminalBaudRate, 'N', '8', '1')) {
        std::abort();
    }
    nt::SilentOperator op;
    std::string reply;
    const bool complete = nt::WaitReply(port, op, timeoutMs, reply);
    if (!arriving.starts_with(reply) || (complete && !nt::IsReplyComplete(reply))) {
        std::abort();
    }

    CheckFields(reply);
    const std::string lines = nt::ReplyLines(reply);
    CheckLines(lines);
    // The body ends where the last "EOD " begins, which may be inside a line.
    const std::string body = nt::ReceiptBody(reply);
    if (!lines.starts_with(body) || (body.size() < lines.size() &&
                                     (lines.compare(body.size(), 4, "EOD ") != 0 ||
                                      lines.find("EOD ", body.size() + 1) != std::string::npos))) {
        std::abort();
    }

    CollectingSink sink;
    nt::TraceSerialReceipt(sink, "case", body);
    if (std::count(sink.entries.begin(), sink.entries.end(), body) < 2) {
        std::abort();
    }
    if (!nt::SerialReceiptDialogText("case", body).ends_with(body)) {
        std::abort();
    }
    return 0;
}
