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

namespace {

// The first line of what a save writes, as a read of the file would give it back.
std::string FirstLineOf(std::string text) {
    const size_t end = text.find('\n');
    if (end != std::string::npos) {
        text.resize(end > 0 && text[end - 1] == '\r' ? end - 1 : end);
    }
    if (text.size() > kMaxLineBytes) {
        text.resize(kMaxLineBytes);
    }
    return text;
}

}  // namespace

void LoadSequenceNo() {
    std::optional<std::string> line;
    if (SequenceSaveBehind* behind = SequenceSaveBehind::Active()) {
        // Once a save has failed the file may not hold what was queued: read it as it is.
        if (behind->Failures() > 0) {
            behind->Drain();
        } else if (std::optional<std::string> pending = behind->Pending()) {
            line = FirstLineOf(std::move(*pending));
        }
    }
    if (!line) {
        line = ReadFirstLine(kSequenceFileName);
    }
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
