#pragma once

#include <string>
#include <utility>

#include "codes/TranCodes.h"
#include "dialogs/Operator.h"
#include "form/WindowForm.h"
#include "pads/PadCatalog.h"
#include "pos/PosState.h"
#include "serial/SerialLink.h"

namespace nt {

// The serial test terminal as the window drives it: the exchange of a command's line over the
// Com Port field's port, the terminal's receipt, and the forced PIN pad reset.
class TerminalLink {
  public:
    TerminalLink(WindowForm& form, Operator& op, const PadCatalog& pads, const PosState& pos,
                 SerialLink link)
        : form_(form), op_(op), pads_(pads), pos_(pos), link_(std::move(link)) {}
    TerminalLink(const TerminalLink&) = delete;
    TerminalLink& operator=(const TerminalLink&) = delete;

    // The serial test terminal's chance to run a command: false when the command is never
    // offered to it, the pad type is not the terminal or its port cannot be used (the caller
    // goes on with the payment client).
    bool RunSerialTransaction(const TranCodeSpec& code, bool giftCard);
    // The forced PIN pad reset over the serial test terminal; false when the port could not
    // be used (the operator has been told and the request must not be sent).
    bool SerialPadReset();

    // The terminal's own manual entries and the seams tests replace.
    SerialLink& link() { return link_; }

  private:
    WindowForm& form_;
    Operator& op_;
    const PadCatalog& pads_;
    const PosState& pos_;
    SerialLink link_;
};

}  // namespace nt
