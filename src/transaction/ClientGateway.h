#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/Operator.h"
#include "log/LogWriter.h"
#include "pads/PadCatalog.h"
#include "platform/Form.h"
#include "request/RequestComposer.h"
#include "serial/TerminalLink.h"
#include "transaction/ControlHost.h"
#include "transaction/PaymentClient.h"

namespace nt {

// What the window asks before it stops waiting for a payment client call.
inline constexpr const char* kStopWaitingQuestion =
    "Stop waiting for the payment client? The transaction's outcome at the host will be "
    "unknown.";

// The window's way to the payment client: the control it created at start-up (or none), the
// forced PIN pad reset before a request, and the report of every failed call.
class ClientGateway {
  public:
    // Failed calls are logged to `log`.
    ClientGateway(PaymentClientFactory factory, Form& form, Operator& op, const PadCatalog& pads,
                  RequestComposer& composer, TerminalLink& terminal, CLogWriter& log)
        : factory_(std::move(factory)),
          form_(form),
          op_(op),
          pads_(pads),
          composer_(composer),
          terminal_(terminal),
          log_(log) {}
    ClientGateway(const ClientGateway&) = delete;
    ClientGateway& operator=(const ClientGateway&) = delete;

    // Creates the control on a thread of its own; false when there is no factory or the
    // creation failed, with the loader's reason (Windows-1252) when there is one.
    bool CreateControl(std::string& reason);
    // The control goes before the window object does.
    void ReleaseControl() { control_.reset(); }
    bool HasControl() const { return control_ != nullptr && control_->Created(); }
    // The payment client's host; one whose client could not be created is kept, for its reason.
    const ControlHost* Control() const { return control_.get(); }

    // Sends a request through the payment client, after a forced PIN pad reset when asked for.
    // nullopt when the client failed or there is none: the operator has been told and the
    // failure logged; the command ends.
    std::optional<std::string> ProcessRequest(const std::string& request);
    // The client's pad types information; nullopt as above.
    std::optional<std::string> GetPadTypesInfo();

    // Whether a call waits that the operator may stop (the client runs in a helper process).
    bool CallStoppable() const { return stoppable_; }
    // Stops that call: it fails as cancelled. From the window's thread while the call waits
    // (its pump); a no-op otherwise.
    void StopWaiting();

  private:
    // One call through the control, with the wait window's Cancel offered while it may be used.
    ClientReply Await(const std::function<ClientReply(ControlHost&)>& call);
    // The reply's text, or nullopt after the failure is reported.
    std::optional<std::string> Taken(ClientReply reply);
    void ReportClientFailure(const ClientReply& reply);

    PaymentClientFactory factory_;
    Form& form_;
    Operator& op_;
    const PadCatalog& pads_;
    RequestComposer& composer_;
    TerminalLink& terminal_;
    CLogWriter& log_;
    std::unique_ptr<ControlHost> control_;  // m_pControl
    bool stoppable_ = false;
};

}  // namespace nt
