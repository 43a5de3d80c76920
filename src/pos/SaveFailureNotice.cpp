#include "pos/SaveFailureNotice.h"

#include <cstdio>

#include "platform/WriteTarget.h"

namespace nt {

void SaveFailureNotice::Saved(int error) noexcept {
    std::lock_guard lock(mutex_);
    if ((error != 0) == failing_) {
        return;
    }
    failing_ = error != 0;
    char text[512];
    if (failing_) {
        std::snprintf(text, sizeof text, "Cannot save the %s to %s: %s", what_.c_str(),
                      file_.c_str(), FileErrorText(error).c_str());
    } else {
        std::snprintf(text, sizeof text, "The %s is saved to %s again", what_.c_str(),
                      file_.c_str());
    }
    std::fprintf(stderr, "nordteller: %s\n", text);
    LogLine(log_, "%s", text);
}

}  // namespace nt
