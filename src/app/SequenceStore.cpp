#include "app/SequenceStore.h"

#include <cerrno>

#include "app/SaveFailureNotice.h"
#include "app/SequenceSaveBehind.h"
#include "platform/TextFile.h"

namespace nt {

std::string PosSequenceNo = kDefaultSequenceNo;

bool IsAllDigits(std::string text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

void LoadSequenceNo() {
    if (SequenceSaveBehind* behind = SequenceSaveBehind::Active()) {
        if (std::optional<std::string> pending = behind->Pending()) {
            PosSequenceNo = std::move(*pending);
            return;
        }
    }
    auto line = ReadFirstLine(kSequenceFileName);
    if (!line) {
        return;
    }
    PosSequenceNo = std::move(*line);
    if (!IsAllDigits(PosSequenceNo) || PosSequenceNo.size() != 10) {
        PosSequenceNo = kDefaultSequenceNo;
    }
}

bool SaveSequenceNo() {
    if (SequenceSaveBehind* behind = SequenceSaveBehind::Active()) {
        behind->Drain();
    }
    return WriteSequenceFile(PosSequenceNo);
}

bool WriteSequenceFile(const std::string& number) {
    // Belongs with the number: whether saves are failing is the store's state for the run.
    static SaveFailureNotice notice("POS sequence number", kSequenceFileName);
    const bool saved = WriteFileAtomic(kSequenceFileName, number);
    notice.Saved(saved ? 0 : errno);
    return saved;
}

void QueueSequenceSave() {
    if (SequenceSaveBehind* behind = SequenceSaveBehind::Active()) {
        behind->Queue(PosSequenceNo);
        return;
    }
    SaveSequenceNo();
}

}  // namespace nt
