#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/Clock.h"

namespace nt {

// The simulated test terminal's answers and its memory between commands (last transaction,
// the journal of the open batch's sales and returns, which voids are checked against).
// docs/terminal-simulator.md describes what it answers.
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

    // An approved sale, voice auth or return of the open batch, by its reference.
    struct Booked {
        std::string word;
        long long cents = 0;
        bool voided = false;
    };
    // Why a void cannot be approved; empty when its original is booked and not yet voided.
    std::string VoidReason(const std::string& word, const std::string& reference) const;

    int sequence_ = 0;
    std::optional<Transaction> last_;
    int batchCount_ = 0;
    std::unordered_map<std::string, Booked> booked_;
};

}  // namespace nt
