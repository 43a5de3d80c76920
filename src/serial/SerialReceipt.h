#pragma once

#include <string>

#include "log/ReceiptSink.h"

namespace nt {

// The receipt of a terminal transaction: fixed merchant placeholders around the terminal's
// receipt body, a cardholder copy headed by the test case text, then a merchant copy.
void TraceSerialReceipt(ReceiptSink& sink, const std::string& testCaseInfo,
                        const std::string& body);

// What the Receipt Info window shows for it: the test case text, the merchant block, the body.
std::string SerialReceiptDialogText(const std::string& testCaseInfo, const std::string& body);

}  // namespace nt
