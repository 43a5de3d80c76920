#include "front/LogFailureNotice.h"

#include <optional>

#include "platform/EvidenceLoss.h"

namespace nt {

void LogFailureNotice::AfterStartUp() {
    writer_.Flush();
    Poll();
}

void LogFailureNotice::Poll() {
    if (std::optional<std::string> reason = watch_.Poll()) {
        Tell(*reason, true);
    }
    while (std::optional<LostEvidence> loss = TakeUntoldLoss()) {
        Tell(DescribeLoss(*loss), !loss->toldOnStderr);
    }
}

void LogFailureNotice::Tell(const std::string& reason, bool onErr) {
    if (onErr) {
        err_ << "nordteller: " + reason + '\n';  // one write: the line stays whole on stderr
    }
    if (also_) {
        also_(reason);
    }
}

}  // namespace nt
