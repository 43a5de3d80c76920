#include "front/LogFailureNotice.h"

#include <optional>

namespace nt {

void LogFailureNotice::AfterStartUp() {
    writer_.Flush();
    Poll();
}

void LogFailureNotice::Poll() {
    std::optional<std::string> reason = watch_.Poll();
    if (!reason) {
        return;
    }
    err_ << "nordteller: " + *reason + '\n';  // one write: the line stays whole on stderr
    if (also_) {
        also_(*reason);
    }
}

}  // namespace nt
