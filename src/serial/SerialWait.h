#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/Operator.h"
#include "serial/SerialPort.h"

namespace nt {

inline constexpr uint32_t kTerminalBaudRate = 19200;
inline constexpr uint32_t kWriteTimeoutMs = 5000;
inline constexpr uint32_t kCarriageReturnPauseMs = 40;
inline constexpr uint32_t kReplyTimeoutMs = 300000;
inline constexpr uint32_t kDetailsTimeoutMs = 10000;
inline constexpr uint32_t kFirstQuietMs = 240;
inline constexpr uint32_t kPollMs = 1;
// A terminal that never stops talking fills at most this much; later bytes are read and dropped.
inline constexpr size_t kMaxReplyBytes = 1u << 20;

// The command text, a 40 ms pause, then a lone CR; true when both writes were sent.
bool SendCommand(CSerialPort& port, const std::string& line);

// Collects the reply until it has been quiet for 240 ms after a CR and is complete (a second
// look after a further 480 ms), or until timeoutMs. `reply` holds whatever arrived either way.
// The operator's window stays responsive: pending events are dispatched between 1 ms polls.
bool WaitReply(CSerialPort& port, Operator& op, uint32_t timeoutMs, std::string& reply);

}  // namespace nt
