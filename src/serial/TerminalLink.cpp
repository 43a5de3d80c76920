#include "serial/TerminalLink.h"

#include <string>

#include "dialogs/EditXmlDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "form/Controls.h"
#include "log/LogWriter.h"
#include "log/ReceiptSink.h"
#include "serial/ReplyFields.h"
#include "serial/SerialPort.h"
#include "serial/SerialReceipt.h"
#include "serial/SerialWait.h"
#include "serial/TerminalCommand.h"

namespace nt {

namespace {

constexpr const char* kPortFailure = "Failed on Com Port Access.";
constexpr const char* kDsrInactive = "DSR Found Inactive on this Port!";

// Opens the Com Port field's port for the terminal and checks that the terminal is on; tells
// the operator and answers false otherwise.
bool OpenTerminalPort(CSerialPort& port, const Form& form, Operator& op) {
    if (!port.Open(form.Text(id::kComPort), kTerminalBaudRate, 'N', '8', '1')) {
        op.Message(kPortFailure);
        return false;
    }
    if (!port.IsDsrOn()) {
        op.Message(kDsrInactive);
        return false;
    }
    return true;
}

}  // namespace

bool TerminalLink::RunSerialTransaction(const TranCodeSpec& code, bool giftCard) {
    if (code.terminal.offer == TerminalOffer::Never ||
        pads_.PadTypeElement(2).find("TranEMV1") == std::string::npos) {
        return false;
    }
    if (code.terminal.offer == TerminalOffer::NotSupported) {
        return true;
    }
    CSerialPort port(*link_.clock, link_.opener);
    if (!OpenTerminalPort(port, form_, op_)) {
        return false;
    }
    CLogWriter& log = link_.Log();
    std::string line = BuildTerminalCommand(code, giftCard, form_, op_, link_);
    LogLine(log, "ATquest->%s", line.c_str());
    CEditXmlDlg edit;
    edit.m_requestText = line;
    if (!op_.RunEditXml(edit)) {
        return true;
    }
    if (edit.m_requestText != line) {
        line = edit.m_requestText;
        LogLine(log, "%s\n%s", "EDITED REQUEST:", line.c_str());
    }

    // Failed writes and incomplete replies are not errors here: whatever arrived is shown.
    std::string reply;
    SendCommand(port, line);
    WaitReply(port, op_, kReplyTimeoutMs, reply);
    const CReplyFields fields(reply);
    op_.Message(reply);
    if (!code.terminal.financial) {
        return true;
    }

    SendCommand(port, "AT&UI109 " + form_.Text(id::kInvoice) + " 222");
    WaitReply(port, op_, kDetailsTimeoutMs, reply);
    if (fields.Token(1) == "200") {
        if (!fields.Token(5).empty()) {
            form_.SetText(id::kAuthCode, fields.Token(5));
        }
        if (!fields.Token(6).empty()) {
            form_.SetText(id::kRefNumber, fields.Token(6));
        }
    }
    const std::string body = ReceiptBody(reply);
    const std::string testCaseInfo = form_.Text(id::kTestCaseInfo);
    LogWriterReceiptSink sink(log, pos_.ReceiptFileName);
    TraceSerialReceipt(sink, testCaseInfo, body);
    CReceiptDlg receipt;
    receipt.m_receiptText = SerialReceiptDialogText(testCaseInfo, body);
    op_.RunReceipt(receipt);
    return true;
}

bool TerminalLink::SerialPadReset() {
    CSerialPort port(*link_.clock, link_.opener);
    if (!OpenTerminalPort(port, form_, op_)) {
        return false;
    }
    // The reset's outcome does not matter: the request follows whatever the terminal said.
    std::string reply;
    SendCommand(port,
                BuildTerminalCommand(SpecOf(TranCode::EMVPadReset), false, form_, op_, link_));
    WaitReply(port, op_, kReplyTimeoutMs, reply);
    port.Close();
    return true;
}

}  // namespace nt
