#pragma once

#include <cstddef>
#include <string>

#include "platform/CheckedLineFile.h"
#include "sim/SimJournal.h"

namespace nt::sim {

inline constexpr const char* kJournalFileName = "simjournal.dat";
inline constexpr const char* kJournalVersionLine = "NORDTELLER SIMULATOR JOURNAL 1";

// What reading a journal file found.
using JournalLoad = CheckedRead;

// Reads the journal file into `journal`. An unfinished last line is left out: its request was
// never answered. A damaged file leaves `journal` as it was.
JournalLoad LoadJournal(const std::string& path, SimJournal& journal);

// The journal kept in a file as an append-only record: the version line, then one line per
// change, each ending in a checksum of its own, written before the response is returned (no
// flush to disk: a killed process loses nothing the kernel has). At start-up and at every batch
// close the file is rewritten in one step to the lines that still matter.
class SimJournalFile {
  public:
    explicit SimJournalFile(std::string path);
    SimJournalFile(const SimJournalFile&) = delete;
    SimJournalFile& operator=(const SimJournalFile&) = delete;

    // Reads the file into `journal` and compacts it. `fresh` discards what it holds instead. A
    // damaged file is renamed to "<path>.damaged-<n>" (the first n free) with a warning on
    // stderr, and the journal starts empty.
    void Open(SimJournal& journal, bool fresh);

    // The entry at `position` as it now is.
    void RecordEntry(const SimJournal& journal, size_t position);
    // The transaction number just given out without an entry (a decline).
    void RecordTranNo(const SimJournal& journal);
    // The batch just closed; then the file is compacted.
    void RecordClose(const SimJournal& journal);

  private:
    CheckedLineFile file_;
};

}  // namespace nt::sim
