#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace nt {

// What one call of the payment client gave back. code 0 is success; anything else is a failure
// code in the HRESULT style, with the client's own description of it where it gave one.
struct ClientReply {
    int32_t code = 0;
    std::string text;   // Windows-1252; empty for a null result
    std::string error;  // the client's description of a failure; may be empty

    bool Ok() const { return code == 0; }
};

// The payment client control: two synchronous methods. Texts are Windows-1252 on both sides of
// this interface; an implementation that talks UTF-8 converts. Implementations must not throw.
class PaymentClient {
  public:
    virtual ~PaymentClient() = default;
    // Method 1: one request document in, the response document out.
    virtual ClientReply ProcessTransaction(const std::string& request) = 0;
    // Method 2: the pad types information document.
    virtual ClientReply GetPadTypesInfo() = 0;
    // Whether a call can be stopped before it answers (a client in a process of its own can).
    virtual bool CanAbort() const { return false; }
    // Stops the call in progress, which then fails; from any thread. A no-op between calls.
    virtual void Abort() {}
    // A client that waits for another process can be called on the caller's own thread and
    // keeps the caller's window alive itself: `pump` runs every few milliseconds while a call
    // waits. False: calls need a thread of their own.
    virtual bool PumpsWhileWaiting() const { return false; }
    virtual void SetPump(std::function<void()> pump) { (void)pump; }
};

// Creates a client, or returns null with a description of why it could not be created.
using PaymentClientFactory = std::function<std::unique_ptr<PaymentClient>(std::string& error)>;

// Failure codes the program reports itself, in the same style.
inline constexpr int32_t kClientPointerError = static_cast<int32_t>(0x80004003);  // E_POINTER
inline constexpr int32_t kClientFail = static_cast<int32_t>(0x80004005);          // E_FAIL

}  // namespace nt
