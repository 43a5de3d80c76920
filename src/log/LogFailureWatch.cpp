#include "log/LogFailureWatch.h"

namespace nt {

std::optional<std::string> LogFailureWatch::Poll() {
    if (told_ || !writer_.Stopped()) {
        return std::nullopt;
    }
    std::string reason = writer_.StopReason();
    if (reason.empty()) {
        return std::nullopt;  // an orderly stop
    }
    told_ = true;
    return "logging stopped: " + reason;
}

}  // namespace nt
