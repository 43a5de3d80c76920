#include "sim/SimRequest.h"

#include <pugixml.hpp>

#include <algorithm>

#include "platform/Codepage.h"

namespace nt::sim {

namespace {

std::string Between(const std::string& text, const std::string& tag) {
    const std::string open = "<" + tag + ">";
    const size_t begin = text.find(open);
    if (begin == std::string::npos) {
        return {};
    }
    const size_t end = text.find("</" + tag + ">", begin);
    if (end == std::string::npos) {
        return {};
    }
    return text.substr(begin + open.size(), end - begin - open.size());
}

std::string Text(const pugi::xml_node& parent, const char* name) {
    return Utf8ToCp1252(parent.child(name).text().get());
}

}  // namespace

RequestRead ReadRequest(const std::string& text) {
    RequestRead read;
    read.sequenceNo = Between(text, "SequenceNo");
    // Converted first: the parser's own Latin-1 mode maps 0x80-0x9F wrongly.
    const std::string utf8 = Cp1252ToUtf8(text);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(utf8.data(), utf8.size());
    if (!parsed) {
        const auto offset = static_cast<size_t>(std::max<ptrdiff_t>(parsed.offset, 0));
        const auto line =
            1 + std::count(utf8.begin(), utf8.begin() + std::min(offset, utf8.size()), '\n');
        read.error = std::string("Invalid XML request: ") + parsed.description() + " at line " +
                     std::to_string(line);
        return read;
    }
    read.wellFormed = true;
    const pugi::xml_node stream = doc.child("TStream");
    pugi::xml_node wrapper = stream.first_child();
    while (wrapper && wrapper.type() != pugi::node_element) {
        wrapper = wrapper.next_sibling();
    }
    if (!wrapper) {
        read.error = "Invalid request: no TStream element with a Transaction or Admin element";
        return read;
    }
    SimRequest& r = read.request;
    r.wrapper = wrapper.name();
    r.tranCode = Text(wrapper, "TranCode");
    if (r.tranCode.empty()) {
        read.error = "Invalid request: no TranCode";
        return read;
    }
    r.merchantId = Text(wrapper, "MerchantID");
    r.terminalId = Text(wrapper, "TerminalID");
    r.userTrace = Text(wrapper, "UserTrace");
    r.merchantLanguage = Text(wrapper, "MerchantLanguage");
    r.fallbackLanguage = Text(wrapper, "FallbackLanguage");
    r.recordNo = Text(wrapper, "RecordNo");
    r.cardType = Text(wrapper, "CardType");
    r.padType = Text(wrapper, "PadType");
    r.invoiceNo = Text(wrapper, "InvoiceNo");
    r.refNo = Text(wrapper, "RefNo");
    r.authCode = Text(wrapper, "AuthCode");
    r.acqRefData = Text(wrapper, "AcqRefData");
    r.sequenceNo = Text(wrapper, "SequenceNo");
    r.offlineLimit = Text(wrapper, "OfflineTransactionPurchaseLimit");
    const pugi::xml_node amount = wrapper.child("Amount");
    r.purchase = Text(amount, "Purchase");
    r.gratuity = Text(amount, "Gratuity");
    r.cashBack = Text(amount, "CashBack");
    r.originalAuthorized = Text(amount, "OriginalAuthorized");
    r.lastAuthorized = Text(amount, "LastAuthorized");
    r.decrement = Text(amount, "Decrement");
    r.increment = Text(amount, "Increment");
    r.keyed = Text(wrapper.child("Account"), "AcctNo") == "Prompt";
    r.duplicateOverride = Text(wrapper, "Duplicate") == "Override";
    r.partialAuthAllowed = Text(wrapper, "PartialAuth") == "Allow";
    r.forceOffline = Text(wrapper, "ForceOffline") == "Y";
    r.signatureSuppressed = Text(wrapper, "ReceiptSignature") == "Disallow";
    read.ok = true;
    return read;
}

}  // namespace nt::sim
