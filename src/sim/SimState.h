#pragma once

#include <memory>

#include "platform/Clock.h"
#include "sim/SimFault.h"
#include "sim/SimJournal.h"
#include "sim/SimJournalFile.h"
#include "sim/SimSequence.h"

namespace nt::sim {

// What the simulated payment client remembers between requests.
struct SimState {
    explicit SimState(Clock& c) : clock(c) {}

    // The entry at `position` changed: the file learns it before the response leaves.
    void Recorded(size_t position) {
        if (file) {
            file->RecordEntry(journal, position);
        }
    }

    Clock& clock;  // receipt and report time stamps
    SimSequence sequence;
    SimJournal journal;
    std::unique_ptr<SimJournalFile> file;  // null: the journal is kept in memory only
    bool duplicateCheck = false;           // decline a second identical sale of the batch
    FaultSettings faults;
};

}  // namespace nt::sim
