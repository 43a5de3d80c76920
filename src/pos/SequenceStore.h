#pragma once

#include <string>

#include "pos/PosState.h"
#include "pos/SaveFailureNotice.h"

namespace nt {

inline constexpr const char* kSequenceFileName = "testseqNo.dat";

class SequenceSaveBehind;

// True when every character is a decimal digit; true for the empty text.
bool IsAllDigits(std::string text);

// The POS sequence number's file: loads it into the POS state and saves it from there; failed
// saves are told in the given log.
class SequenceStore {
  public:
    SequenceStore(PosState& state, CLogWriter& log)
        : state_(state), notice_("POS sequence number", kSequenceFileName, log) {}
    SequenceStore(const SequenceStore&) = delete;
    SequenceStore& operator=(const SequenceStore&) = delete;

    // Reads the first line of testseqNo.dat; a first line that is not exactly ten digits
    // becomes the default. A file that cannot be opened leaves the number as it is. While a
    // save behind the commands is pending, its number is taken instead, by the same rules: it is
    // what the file is about to hold (unless a save of the run has failed; then the pending one
    // is waited for).
    void LoadSequenceNo();

    // Writes the number to testseqNo.dat without a line end, replacing the file in one step: on
    // any failure the old file stays as it was. The window stays silent either way (stderr and
    // the log hear of failures, see WriteSequenceFile); the result is for tests. A save still
    // pending behind the commands is finished first, so the files see the numbers in order.
    bool SaveSequenceNo();

    // Writes a number to testseqNo.dat as SaveSequenceNo does, on whichever thread saves. The
    // first failure of a run, and the first success after failures, are told on stderr and in
    // the daily log, naming the file and the reason.
    bool WriteSequenceFile(const std::string& number);

    // The save at the end of a command: made at once, or queued while saves run behind the
    // commands (see SequenceSaveBehind).
    void QueueSequenceSave();

    // The saves running behind the commands, or nullptr when saves are made at once.
    SequenceSaveBehind* SaveBehind() const { return behind_; }

  private:
    friend class SequenceSaveBehind;

    PosState& state_;
    SequenceSaveBehind* behind_ = nullptr;
    SaveFailureNotice notice_;
};

// Saves the sequence number when its scope ends, by any way out.
class SequenceSaver {
  public:
    explicit SequenceSaver(SequenceStore& store) : store_(store) {}
    SequenceSaver(const SequenceSaver&) = delete;
    SequenceSaver& operator=(const SequenceSaver&) = delete;
    ~SequenceSaver() { store_.QueueSequenceSave(); }

  private:
    SequenceStore& store_;
};

}  // namespace nt
