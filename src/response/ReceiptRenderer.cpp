#include "response/ReceiptRenderer.h"

#include <span>
#include <string_view>

#include "dialogs/Operator.h"
#include "dialogs/ReceiptDlg.h"
#include "text/CenterText.h"
#include "text/ReceiptTexts.h"

namespace nt {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string C(std::string_view text) {
    return CenterText(std::string(text), receipt::kWidth);
}

void TraceCentered(ReceiptSink& sink, std::string_view text) {
    sink.Trace(C(text));
}

// Blank lines inside a closing stay blank rather than becoming 40 blanks.
void TraceClosing(ReceiptSink& sink, std::span<const std::string_view> lines) {
    for (const auto line : lines) {
        if (line.empty()) {
            sink.Trace("");
        } else {
            TraceCentered(sink, line);
        }
    }
}

void TraceMerchantBlock(ReceiptSink& sink) {
    for (const auto line : receipt::kMerchantBlock) {
        TraceCentered(sink, line);
    }
}

// Passes every entry on, and keeps those of the copy being traced (one a line).
class CopyingSink : public ReceiptSink {
  public:
    explicit CopyingSink(ReceiptSink& to) : to_(to) {}
    void Trace(std::string_view entry) override {
        to_.Trace(entry);
        if (copy_ != nullptr) {
            copy_->append(entry).push_back('\n');
        }
    }
    void KeepIn(std::string* copy) { copy_ = copy; }

  private:
    ReceiptSink& to_;
    std::string* copy_ = nullptr;
};

struct Copy {
    std::string_view language;
    std::string_view lines;
    std::span<const std::string_view> bilingualClosing;
};

// Everything of one copy up to and including its closing; the two copies end differently.
void TraceCopyBody(const ReceiptInputs& in, bool separate, const Copy& copy, ReceiptSink& sink) {
    if (separate) {
        TraceCentered(sink, receipt::Header(copy.language));
        sink.Trace("");
    }
    TraceMerchantBlock(sink);
    sink.Trace("");
    sink.Trace(copy.lines);
    sink.Trace("");
    if (!separate) {
        TraceClosing(sink, copy.bilingualClosing);
    } else if (in.customerLinesPresent) {
        TraceCentered(sink, receipt::Closing(copy.language));
    }
}

std::string DialogText(const ReceiptInputs& in, bool separate) {
    std::string text;
    if (!in.testCaseInfo.empty()) {
        text.append(in.testCaseInfo).append(kCrLf);
    }
    if (separate) {
        text.append(C(receipt::Header(in.merchantLanguage))).append(kCrLf).append(kCrLf);
    }
    for (const auto line : receipt::kMerchantBlock) {
        text.append(C(line)).append(kCrLf);
    }
    text.append(kCrLf);
    text.append(in.merchantLines);
    return text;
}

}  // namespace

RenderedReceipt RenderReceipt(const ReceiptInputs& in, ReceiptSink& to, Operator& op) {
    // Separate language copies when the pad prints them or the response brought its own
    // cardholder lines; otherwise two bilingual copies.
    const bool separate = in.customerLinesPresent || in.posPad;
    RenderedReceipt rendered;
    CopyingSink sink(to);

    sink.Trace("");
    sink.Trace(in.testCaseInfo);
    sink.Trace("");

    sink.KeepIn(&rendered.cardholderCopy);
    TraceCopyBody(in, separate,
                  {in.customerLanguage, in.customerLines, receipt::kCardholderClosing}, sink);
    sink.KeepIn(nullptr);
    TraceCentered(sink, receipt::kRule);
    sink.Trace("");

    sink.KeepIn(&rendered.merchantCopy);
    TraceCopyBody(in, separate, {in.merchantLanguage, in.merchantLines, receipt::kMerchantClosing},
                  sink);
    sink.KeepIn(nullptr);
    sink.Trace("");
    TraceCentered(sink, receipt::kRule);

    CReceiptDlg dlg;
    dlg.m_receiptText = DialogText(in, separate);
    op.RunReceipt(dlg);
    return rendered;
}

}  // namespace nt
