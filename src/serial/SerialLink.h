#pragma once

#include "log/LogWriter.h"
#include "platform/Clock.h"
#include "request/ManualEntries.h"
#include "serial/SerialDevice.h"

namespace nt {

// What the window keeps for the serial test terminal: the terminal composer's own manual
// entries (never shared with the request composer's) and the seams tests replace.
struct SerialLink {
    ManualEntries manualEntries;
    Clock* clock = &SystemClock();
    SerialOpener opener = DeviceOpener();
    CLogWriter* log = nullptr;  // nullptr: the process-wide writer

    CLogWriter& Log() const { return log != nullptr ? *log : GetLogWriter(); }
};

}  // namespace nt
