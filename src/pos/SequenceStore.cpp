#include "pos/SequenceStore.h"

#include <cerrno>

#include "platform/TextFile.h"
#include "pos/SequenceSaveBehind.h"

namespace nt {

bool IsAllDigits(std::string text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

namespace {

// The first line of what a save writes, as a read of the file would give it back.
std::string FirstLineOf(std::string text) {
    const size_t end = text.find('\n');
    if (end != std::string::npos) {
        text.resize(end > 0 && text[end - 1] == '\r' ? end - 1 : end);
    }
    return text;
}

}  // namespace

void SequenceStore::LoadSequenceNo() {
    std::string& number = state_.PosSequenceNo;
    std::optional<std::string> line;
    if (behind_ != nullptr) {
        // Once a save has failed the file may not hold what was queued: read it as it is.
        if (behind_->Failures() > 0) {
            behind_->Drain();
        } else if (std::optional<std::string> pending = behind_->Pending()) {
            line = FirstLineOf(std::move(*pending));
        }
    }
    if (!line) {
        line = ReadFirstLine(kSequenceFileName);
    }
    if (!line) {
        return;
    }
    number = std::move(*line);
    if (!IsAllDigits(number) || number.size() != 10) {
        number = kDefaultSequenceNo;
    }
}

bool SequenceStore::SaveSequenceNo() {
    if (behind_ != nullptr) {
        behind_->Drain();
    }
    return WriteSequenceFile(state_.PosSequenceNo);
}

bool SequenceStore::WriteSequenceFile(const std::string& number) {
    const bool saved = WriteFileAtomic(kSequenceFileName, number);
    notice_.Saved(saved ? 0 : errno);
    return saved;
}

void SequenceStore::QueueSequenceSave() {
    if (behind_ != nullptr) {
        behind_->Queue(state_.PosSequenceNo);
        return;
    }
    SaveSequenceNo();
}

}  // namespace nt
