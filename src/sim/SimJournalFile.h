#pragma once

#include <cstddef>
#include <string>

#include "sim/SimJournal.h"

namespace nt::sim {

inline constexpr const char* kJournalFileName = "simjournal.dat";
inline constexpr const char* kJournalVersionLine = "NORDTELLER SIMULATOR JOURNAL 1";

// What reading a journal file found.
struct JournalLoad {
    bool found = false;     // the file exists
    bool damaged = false;   // a line fails its check, or the version line is not ours
    bool tornTail = false;  // the last line is unfinished: a write cut short by a killed process
    std::string why;        // what is damaged, with its line number
};

// Reads the journal file into `journal`. An unfinished last line is left out: its request was
// never answered. A damaged file leaves `journal` as it was.
JournalLoad LoadJournal(const std::string& path, SimJournal& journal);

// The journal kept in a file as an append-only record: the version line, then one line per
// change, each ending in a checksum of its own, written before the response is returned (no
// flush to disk: a killed process loses nothing the kernel has). At start-up and at every batch
// close the file is rewritten in one step to the lines that still matter.
class SimJournalFile {
  public:
    explicit SimJournalFile(std::string path) : path_(std::move(path)) {}
    ~SimJournalFile();
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
    // Appends one line; after a line that could not be written, rewrites the file whole.
    void Append(const SimJournal& journal, const std::string& payload);
    void Compact(const SimJournal& journal);

    std::string path_;
    int fd_ = -1;
    bool behind_ = false;  // a line could not be written: the file lacks a change
    bool warned_ = false;  // a failed write is reported once
};

}  // namespace nt::sim
