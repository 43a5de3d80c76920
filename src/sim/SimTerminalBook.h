#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "sim/SimTerminalJournal.h"

namespace nt {

// Where the terminal keeps its journal: a file (empty: memory only), and whether to discard
// what the file holds.
struct SimTerminalBookFile {
    std::string path;
    bool fresh = false;
};

// The journal file in the working folder; NORDTELLER_SIM_FRESH set to anything but "" or "0"
// starts a fresh journal, as it does for the payment simulator.
SimTerminalBookFile SimTerminalBookFileFromEnvironment();

// The simulated test terminal's answers and its memory between commands (last transaction,
// the journal of the open batch's sales and returns, which voids are checked against).
// docs/terminal-simulator.md describes what it answers.
class SimTerminalBook {
  public:
    SimTerminalBook() = default;  // the journal is kept in memory only
    explicit SimTerminalBook(const SimTerminalBookFile& file);

    static constexpr uint32_t kAdminDelayMs = 300;
    static constexpr uint32_t kTransactionDelayMs = 800;
    static constexpr uint32_t kDetailsDelayMs = 400;

    struct Answer {
        std::string reply;  // CR LF first and last
        uint32_t delayMs = 0;
    };

    // The answer to one received line (without its CR); nullopt for an empty line.
    std::optional<Answer> Respond(const std::string& line, const LocalTime& now);

  private:
    struct Transaction {
        std::string word;
        bool gift = false;
        std::string amount;
        std::string auth;
        std::string reference;
        bool approved = false;
        int sequence = 0;
        LocalTime when;
    };

    Answer Transact(const std::string& word, const std::string& fields, const LocalTime& now);
    Answer Details(const std::string& arguments) const;
    Answer Batch(const std::string& word, bool close);

    // Why a void cannot be approved; empty when its original is booked and not yet voided.
    std::string VoidReason(const std::string& word, const std::string& reference) const;

    SimTerminalJournal journal_;
    std::unique_ptr<SimTerminalJournalFile> file_;  // null: the journal is kept in memory only
    std::optional<Transaction> last_;
};

}  // namespace nt
