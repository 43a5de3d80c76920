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

void SequenceStore::LoadSequenceNo() {
    std::string& number = state_.PosSequenceNo;
    if (behind_ != nullptr) {
        if (std::optional<std::string> pending = behind_->Pending()) {
            number = std::move(*pending);
            return;
        }
    }
    auto line = ReadFirstLine(kSequenceFileName);
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
