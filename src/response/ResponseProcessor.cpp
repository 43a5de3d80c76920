#include "response/ResponseProcessor.h"

#include "form/Controls.h"
#include "log/ReceiptSink.h"
#include "response/PrintLines.h"
#include "response/ReceiptBaseName.h"
#include "response/ReceiptRenderer.h"
#include "response/XmlDocument.h"

namespace nt {

namespace {

struct ReferenceField {
    const char* element;
    int control;
    int toneHz;  // sounded when the element is missing; 0 for none
};

constexpr ReferenceField kReferenceFields[] = {
    {"Purchase", id::kAmount, 1000},    {"Gratuity", id::kTipAmount, 5000},
    {"RefNo", id::kRefNumber, 0},       {"InvoiceNo", id::kInvoice, 0},
    {"AuthCode", id::kAuthCode, 0},     {"AcqRefData", id::kAcqRefData, 0},
    {"RecordNo", id::kRecordNumber, 0}, {"ProcessData", id::kProcessData, 0},
};

constexpr int kToneMs = 750;

bool ValidSequenceNo(const std::string& number, bool posPad) {
    return number.size() == 10 && number.compare(0, 3, "001") == 0 &&
           (number.back() == '0' || posPad);
}

}  // namespace

bool ResponseProcessor::HandleResponse(const std::string& response) {
    CXmlDocument doc;
    if (!doc.Load(response)) {
        return false;
    }
    const bool posPad = pads_.PadTypeElement(2).find("POSPAD") != std::string::npos;

    // The lookup empties its output first: a missing number leaves the current one empty.
    if (!doc.GetField("SequenceNo", pos_.PosSequenceNo)) {
        op_.Message("Could Not Extract Sequence No From Response!");
    } else {
        if (!ValidSequenceNo(pos_.PosSequenceNo, posPad)) {
            op_.Message("Invalid Sequence Number-" + pos_.PosSequenceNo);
        }
        form_.SetText(id::kReceivedSeqNo, pos_.PosSequenceNo);
    }

    for (const ReferenceField& field : kReferenceFields) {
        std::string value;
        if (doc.GetField(field.element, value)) {
            form_.SetText(field.control, value);
        } else if (field.toneHz != 0) {
            op_.Tone(field.toneHz, kToneMs);
        }
    }

    std::string merchantLines = GetPrintLines(doc, "PrintData");
    std::string customerLines = GetPrintLines(doc, "CustomerPrintData");
    const bool customerLinesPresent = !customerLines.empty();
    const bool separateCopies = posPad || customerLinesPresent;
    if (!separateCopies) {
        customerLines = merchantLines;
    }
    std::string merchantLanguage;
    doc.GetField("ReceiptLanguage", merchantLanguage);
    std::string customerLanguage = merchantLanguage;
    if (separateCopies) {
        customerLanguage.clear();
        doc.GetField("CustomerReceiptLanguage", customerLanguage);
    }
    if (merchantLines.empty()) {
        return true;
    }
    const std::string testCaseInfo = form_.Text(id::kTestCaseInfo);
    pos_.ReceiptFileName = ReceiptBaseName(testCaseInfo);
    ReceiptInputs inputs{testCaseInfo,     merchantLines, customerLines,       merchantLanguage,
                         customerLanguage, posPad,        customerLinesPresent};
    LogWriterReceiptSink sink(log_, pos_.ReceiptFileName);
    const RenderedReceipt rendered = RenderReceipt(inputs, sink, op_);
    op_.Observer().OnReceipt(pos_.ReceiptFileName, rendered);
    return true;
}

}  // namespace nt
