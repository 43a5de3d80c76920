#pragma once

#include <utility>

#include "log/LogWriter.h"
#include "platform/Clock.h"
#include "request/ManualEntries.h"
#include "serial/SerialDevice.h"

namespace nt {

// What the window keeps for the serial test terminal: the terminal composer's own manual
// entries (never shared with the request composer's), and the clock, device opener and log the
// window hands it (tests replace them).
struct SerialLink {
    SerialLink(Clock& clockUsed, SerialOpener openerUsed, CLogWriter& logUsed)
        : clock(&clockUsed), opener(std::move(openerUsed)), log(&logUsed) {}

    ManualEntries manualEntries;
    Clock* clock;
    SerialOpener opener;
    CLogWriter* log;

    CLogWriter& Log() const { return *log; }
};

}  // namespace nt
