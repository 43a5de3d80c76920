#include "serial/SerialReceipt.h"

#include <array>
#include <span>
#include <string_view>

#include "text/CenterText.h"
#include "text/ReceiptTexts.h"

namespace nt {

namespace {

// The terminal path prints city and postal code on lines of their own.
constexpr std::array<std::string_view, 5> kMerchantLines = {
    receipt::kMerchantName, receipt::kMerchantStreet, receipt::kCityProvince, receipt::kPostalCode,
    receipt::kPhone};

std::string Centered(std::string_view text) {
    return CenterText(std::string(text), receipt::kWidth);
}

// Blank entries of the closing tables stay empty lines.
void TraceCentered(ReceiptSink& sink, std::span<const std::string_view> lines) {
    for (std::string_view line : lines) {
        sink.Trace(line.empty() ? std::string() : Centered(line));
    }
}

void TraceCopy(ReceiptSink& sink, const std::string& body,
               std::span<const std::string_view> closing) {
    TraceCentered(sink, kMerchantLines);
    sink.Trace("");
    sink.Trace(receipt::kDescription);
    sink.Trace("");
    sink.Trace("");
    sink.Trace(body);
    sink.Trace("");
    TraceCentered(sink, closing);
    sink.Trace("");
}

}  // namespace

void TraceSerialReceipt(ReceiptSink& sink, const std::string& testCaseInfo,
                        const std::string& body) {
    sink.Trace("");
    sink.Trace(testCaseInfo);
    sink.Trace("");
    TraceCopy(sink, body, receipt::kCardholderClosing);
    TraceCopy(sink, body, receipt::kMerchantClosing);
}

std::string SerialReceiptDialogText(const std::string& testCaseInfo, const std::string& body) {
    std::string text = "\r\n" + testCaseInfo + "\r\n";
    for (std::string_view line : kMerchantLines) {
        text += Centered(line) + "\r\n";
    }
    return text + "\r\n" + body;
}

}  // namespace nt
