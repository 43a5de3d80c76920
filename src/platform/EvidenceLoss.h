#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nt {

// The files a run leaves as its evidence. A write to one that fails (a full disk) must not go
// unnoticed: the run goes on, but the loss is told once per kind, changes the verdict of the
// test case it belonged to and the exit status of an unattended run.
enum class EvidenceKind { kDailyLog, kReceipt, kReport, kJournal };

struct LostEvidence {
    EvidenceKind kind = EvidenceKind::kDailyLog;
    std::string file;           // as the writer named it
    std::string why;            // the system's reason
    bool toldOnStderr = false;  // the writer told it there itself
};

// "the daily log QUORLIN_LOGS/x.log was not written whole (No space left on device)".
std::string DescribeLoss(const LostEvidence& loss);

// Records a failed write; any thread, never throws (a loss that cannot be stored is still
// counted). `told`: the writer already told it on stderr itself.
void NoteLostEvidence(EvidenceKind kind, std::string_view file, int error,
                      bool told = false) noexcept;

// Whether anything was lost since the start (or ForgetLostEvidence).
bool EvidenceWasLost();

// The losses recorded since the last call, oldest first, for the test case they belong to. At
// most kKeptLosses are kept between calls; `more` gets how many others there were.
inline constexpr size_t kKeptLosses = 32;
std::vector<LostEvidence> TakeLostEvidence(size_t* more = nullptr);

// The first loss not told yet, for the front end to tell: once for the daily log, once for the
// receipt files, once for each report and journal.
std::optional<LostEvidence> TakeUntoldLoss();

// Back to no losses (tests).
void ForgetLostEvidence();

}  // namespace nt
