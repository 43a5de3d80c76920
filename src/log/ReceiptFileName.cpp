#include "log/ReceiptFileName.h"

#include <mutex>

namespace nt {

namespace {

struct NameSlot {
    std::mutex mutex;
    std::string name = "Receipt";
};

// Never destroyed: a receipt line may be queued from another static's destructor at exit.
NameSlot& Slot() {
    static NameSlot* slot = new NameSlot;
    return *slot;
}

}  // namespace

std::string GetReceiptFileName() {
    NameSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    return slot.name;
}

void SetReceiptFileName(std::string name) {
    NameSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    slot.name = std::move(name);
}

}  // namespace nt
