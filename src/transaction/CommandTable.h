#pragma once

#include <span>

namespace nt {

// One command button: what the wait window says, what the serial test terminal is offered and
// what the request composer is given.
struct CommandSpec {
    int id;
    const char* caption;
    const char* waitMessage;
    const char* serialTranCode;  // nullptr: the serial terminal is never offered the command
    bool financial = false;
    bool giftCard = false;
    const char* tranCode;
    const char* wrapper;  // "Transaction" or "Admin"
    bool tokenConfirmation = false;
    bool zeroAmountFirst = false;  // Balance Inq
};

// Every command button of the main window; gift cards and batch close have flows of their own.
std::span<const CommandSpec> Commands();

}  // namespace nt
