#include "serial/SerialWait.h"

#include <algorithm>
#include <cstring>

#include "serial/ReplyFields.h"

namespace nt {

bool SendCommand(CSerialPort& port, const std::string& line) {
    if (port.Write(line, kWriteTimeoutMs) != kWriteSent) {
        return false;
    }
    port.clock().SleepMs(kCarriageReturnPauseMs);
    return port.Write("\r", kWriteTimeoutMs) == kWriteSent;
}

bool WaitReply(CSerialPort& port, Operator& op, uint32_t timeoutMs, std::string& reply) {
    reply.clear();
    Clock& clock = port.clock();
    const uint64_t start = clock.TickMs();
    uint64_t lastActivity = start;
    uint32_t quietMs = kFirstQuietMs;
    bool sawCarriageReturn = false;
    bool secondLook = false;
    for (;;) {
        const uint64_t now = clock.TickMs();
        if (ElapsedMs(start, now) >= timeoutMs) {
            return false;
        }
        if (sawCarriageReturn && ElapsedMs(lastActivity, now) > quietMs) {
            if (secondLook || IsReplyComplete(reply)) {
                return IsReplyComplete(reply);
            }
            secondLook = true;
            quietMs *= 2;
            lastActivity = now;
        }
        clock.SleepMs(kPollMs);
        op.PumpMessages();
        if (port.BytesWaiting() == 0) {
            continue;
        }
        const uint32_t count = port.Read(CSerialPort::kNoMaximum);
        const size_t kept = std::min<size_t>(count, kMaxReplyBytes - reply.size());
        if (std::memchr(port.ReadBuffer(), '\r', kept) != nullptr) {
            sawCarriageReturn = true;
        }
        reply.append(port.ReadBuffer(), kept);
        lastActivity = clock.TickMs();
    }
}

}  // namespace nt
