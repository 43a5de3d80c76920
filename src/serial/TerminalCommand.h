#pragma once

#include <string>

#include "codes/TranCodes.h"
#include "dialogs/Operator.h"
#include "form/WindowForm.h"
#include "serial/SerialLink.h"

namespace nt {

// The serial test terminal's line for a command, from the window's fields (no line end), as
// the TranCode's row says. A command that takes manual entry asks for the values first while
// Prompt Manual is checked; the terminal keeps them in `link`, whose clock dates the line.
std::string BuildTerminalCommand(const TranCodeSpec& code, bool giftCard, const WindowForm& form,
                                 Operator& op, SerialLink& link);

}  // namespace nt
