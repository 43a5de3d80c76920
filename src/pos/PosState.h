#pragma once

#include <cstdint>
#include <string>

namespace nt {

inline constexpr const char* kDefaultSequenceNo = "0010010010";

// What the POS keeps in memory between commands, owned by the window and handed to the
// subsystems that read or change it.
struct PosState {
    // The POS sequence number. It may hold any text: responses store theirs as they come.
    std::string PosSequenceNo = kDefaultSequenceNo;
    // Numbers the requests in the daily log ("TRACE DATA:" and eight digits); never reset.
    int32_t TraceCounter = 0;
    // Base name of the receipt file inside the log directory, "Receipt" until a response with
    // a receipt sets it; the serial terminal's receipts go to the same file.
    std::string ReceiptFileName = "Receipt";

    // The counter moved on, as the eight digits the daily log shows.
    std::string NextTraceNumber();
};

}  // namespace nt
