#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"

namespace nt {

// The simulated test terminal's answers and its memory between commands (last transaction,
// open batch). docs/terminal-simulator.md describes what it answers.
class SimTerminalBook {
  public:
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

    int sequence_ = 0;
    std::optional<Transaction> last_;
    int batchCount_ = 0;
    long long batchNetCents_ = 0;
};

// The book behind NORDTELLER_COM<n>=sim: one terminal for the whole process, so its batch
// outlives each port opening. Used from the window's thread only.
SimTerminalBook& SharedSimTerminalBook();

}  // namespace nt
