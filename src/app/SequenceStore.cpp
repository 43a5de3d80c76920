#include "app/SequenceStore.h"

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
    return WriteFileAtomic(kSequenceFileName, PosSequenceNo);
}

}  // namespace nt
