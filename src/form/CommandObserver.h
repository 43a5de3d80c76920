#pragma once

#include <string>

namespace nt {

// Why a command's exchange gave no response.
enum class NoResponse {
    kEditCancelled,  // the operator cancelled the request editor: nothing was sent
    kClientFailed,   // the payment client failed the call or there is none
};

// A receipt as it was rendered into its file: each copy's entries, one a line, from the copy's
// header (or its merchant block) to its closing.
struct RenderedReceipt {
    std::string cardholderCopy;
    std::string merchantCopy;
};

// What a command did, as it happens: for reports of unattended runs. Texts are Windows-1252.
// Calls come on the window's thread while the command runs.
class CommandObserver {
  public:
    virtual ~CommandObserver() = default;
    // The operator changed the request in the editor; `composed` is what it was before.
    virtual void OnRequestEdited(const std::string& composed) { (void)composed; }
    // The request as it goes to the payment client, after the operator's editing.
    virtual void OnRequestSent(const std::string& request) = 0;
    // The payment client's response text, possibly empty.
    virtual void OnResponse(const std::string& response) = 0;
    virtual void OnNoResponse(NoResponse why) = 0;
    // A receipt was rendered into QUORLIN_LOGS/<baseName>.txt (the file itself may hold earlier
    // receipts of the same name).
    virtual void OnReceipt(const std::string& baseName, const RenderedReceipt& receipt) = 0;
    // A message box; responseBox is true for the box that shows the response text itself.
    virtual void OnMessage(const std::string& text, bool responseBox) = 0;
};

}  // namespace nt
