#pragma once

#include <string>

#include "form/CommandObserver.h"
#include "log/ReceiptSink.h"

namespace nt {

class Operator;

struct ReceiptInputs {
    std::string testCaseInfo;
    std::string merchantLines;  // CR LF joined; never empty when a receipt is rendered
    std::string customerLines;  // may be empty
    std::string merchantLanguage;
    std::string customerLanguage;
    bool posPad = false;
    bool customerLinesPresent = false;  // the response itself carried customer lines
};

// Appends the cardholder and the merchant copy to `sink`, one entry per line or block, then shows
// the merchant copy in the "Receipt Info" dialog and returns when the operator closes it. Returns
// the two copies as they went to `sink`, for the run's reports.
RenderedReceipt RenderReceipt(const ReceiptInputs& in, ReceiptSink& sink, Operator& op);

}  // namespace nt
