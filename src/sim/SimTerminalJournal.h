#pragma once

#include <string>
#include <unordered_map>

#include "platform/CheckedLineFile.h"

namespace nt {

inline constexpr const char* kTerminalJournalFileName = "simterminal.dat";
inline constexpr const char* kTerminalJournalVersionLine = "NORDTELLER TERMINAL JOURNAL 1";

// The simulated terminal's books: its counters and the open batch's approved sales, voice
// auths and returns by reference, which voids are checked against.
struct SimTerminalJournal {
    struct Booked {
        std::string word;  // M104, M113 or M108
        long long cents = 0;
        bool voided = false;
    };
    int sequence = 0;    // the last sequence number given out
    int batchCount = 0;  // approved transactions of the open batch
    std::unordered_map<std::string, Booked> booked;
};

// The terminal's journal kept in a file the way the payment simulator keeps its own: a version
// line, then one checked line per transaction, written before the reply is given. At start-up
// and at every batch close the file is rewritten in one step to the lines that still matter.
class SimTerminalJournalFile {
  public:
    explicit SimTerminalJournalFile(std::string path);

    // Reads the file into `journal` and compacts it. `fresh` discards what it holds instead. A
    // damaged file is set aside under a new name with a warning on stderr, and the journal
    // starts empty.
    void Open(SimTerminalJournal& journal, bool fresh);

    // The transaction just answered: the counters, and the entry it booked or voided, if any.
    void RecordTransaction(const SimTerminalJournal& journal, const std::string& reference);
    // The batch just closed; then the file is compacted.
    void RecordClose(const SimTerminalJournal& journal);

  private:
    CheckedLineFile file_;
};

}  // namespace nt
