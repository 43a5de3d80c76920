#include "transaction/ClientGateway.h"

#include <cinttypes>
#include <cstdio>

#include "codes/TranCodes.h"
#include "form/Controls.h"
#include "log/LogWriter.h"
#include "platform/Codepage.h"

namespace nt {

bool ClientGateway::CreateControl(std::string& reason) {
    if (!factory_) {
        return false;
    }
    control_ = std::make_unique<ControlHost>(factory_, [this] {
        op_.PumpMessages();
        if (stoppable_ && op_.TakeWaitCancel()) {
            StopWaiting();
        }
    });
    if (!control_->Created()) {
        reason = Utf8ToCp1252(control_->CreateError());
        return false;
    }
    return true;
}

namespace {

// A client's own description of a failure, cut to what a message box and a log line can hold.
constexpr size_t kMaxClientErrorBytes = 4096;

std::string BoundedClientError(const std::string& error) {
    if (error.size() <= kMaxClientErrorBytes) {
        return error;
    }
    return error.substr(0, kMaxClientErrorBytes) + "... (" + std::to_string(error.size()) +
           " bytes in all)";
}

}  // namespace

void ClientGateway::StopWaiting() {
    if (stoppable_) {
        control_->Abort();
    }
}

ClientReply ClientGateway::Await(const std::function<ClientReply(ControlHost&)>& call) {
    stoppable_ = control_->CanAbort();
    if (stoppable_) {
        op_.OfferWaitCancel(true);
    }
    ClientReply reply = call(*control_);
    if (stoppable_) {
        stoppable_ = false;
        op_.OfferWaitCancel(false);
    }
    return reply;
}

void ClientGateway::ReportClientFailure(const ClientReply& reply) {
    std::string message;
    if (reply.code == kClientPointerError && !HasControl()) {
        if (control_ != nullptr) {
            control_->NoteMissed();
        }
        message =
            "The payment client is not available: it could not be created at start-up. "
            "Nothing was sent.";
    } else {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08" PRIX32, static_cast<uint32_t>(reply.code));
        message = std::string("The payment client failed the call (error ") + code + ")";
        if (!reply.error.empty()) {
            message += ": " + BoundedClientError(reply.error);
        }
        message += ".";
    }
    LogLine(log_, "PAYMENT CLIENT ERROR: %s", message.c_str());
    op_.Message(message);
}

std::optional<std::string> ClientGateway::Taken(ClientReply reply) {
    if (!reply.Ok()) {
        ReportClientFailure(reply);
        return std::nullopt;
    }
    return std::move(reply.text);
}

std::optional<std::string> ClientGateway::ProcessRequest(const std::string& request) {
    if (!HasControl()) {
        return Taken(ClientReply{kClientPointerError, {}, {}});
    }
    if (form_.Checked(id::kForcePadReset)) {
        if (pads_.PadTypeElement(2).find("TranEMV1") == std::string::npos) {
            // The reset's own result has no effect on what follows.
            const std::string reset = composer_.BuildRequest(SpecOf(TranCode::EMVPadReset));
            Await([&](ControlHost& c) { return c.ProcessTransaction(reset); });
        } else if (!terminal_.SerialPadReset()) {
            return std::string();
        }
    }
    return Taken(Await([&](ControlHost& c) { return c.ProcessTransaction(request); }));
}

std::optional<std::string> ClientGateway::GetPadTypesInfo() {
    if (!HasControl()) {
        return Taken(ClientReply{kClientPointerError, {}, {}});
    }
    return Taken(Await([](ControlHost& c) { return c.GetPadTypesInfo(); }));
}

}  // namespace nt
