#include <cinttypes>
#include <cstdio>

#include "app/Controls.h"
#include "app/TestPosDlg.h"
#include "log/LogWriter.h"

namespace nt {

void CTestPosDlg::ReportClientFailure(const ClientReply& reply) {
    std::string message;
    if (reply.code == kClientPointerError && !HasControl()) {
        if (m_pControl != nullptr) {
            m_pControl->NoteMissed();
        }
        message =
            "The payment client is not available: it could not be created at start-up. "
            "Nothing was sent.";
    } else {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08" PRIX32, static_cast<uint32_t>(reply.code));
        message = std::string("The payment client failed the call (error ") + code + ")";
        if (!reply.error.empty()) {
            message += ": " + reply.error;
        }
        message += ".";
    }
    LogLine(GetLogWriter(), "PAYMENT CLIENT ERROR: %s", message.c_str());
    op_.Message(message);
}

std::optional<std::string> CTestPosDlg::ProcessRequest(const std::string& request) {
    if (!HasControl()) {
        ReportClientFailure(ClientReply{kClientPointerError, {}, {}});
        return std::nullopt;
    }
    if (form_.Checked(id::kForcePadReset)) {
        if (PadTypeElement(2).find("TranEMV1") == std::string::npos) {
            // The reset's own result has no effect on what follows.
            m_pControl->ProcessTransaction(BuildRequest("EMVPadReset", "Transaction", ""));
        } else if (!SerialPadReset()) {
            return std::string();
        }
    }
    ClientReply reply = m_pControl->ProcessTransaction(request);
    if (!reply.Ok()) {
        ReportClientFailure(reply);
        return std::nullopt;
    }
    return std::move(reply.text);
}

std::optional<std::string> CTestPosDlg::GetPadTypesInfo() {
    if (!HasControl()) {
        ReportClientFailure(ClientReply{kClientPointerError, {}, {}});
        return std::nullopt;
    }
    ClientReply reply = m_pControl->GetPadTypesInfo();
    if (!reply.Ok()) {
        ReportClientFailure(reply);
        return std::nullopt;
    }
    return std::move(reply.text);
}

}  // namespace nt
