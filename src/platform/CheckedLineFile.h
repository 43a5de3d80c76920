#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nt {

// What reading a checked-line file found.
struct CheckedRead {
    bool found = false;       // the file exists
    bool damaged = false;     // a line fails its check, or the version line is not ours
    bool notRegular = false;  // damaged as well: anything but a regular file, or a link to one
    bool tornTail = false;    // the last line is unfinished: a write cut short by a killed process
    std::string why;          // what is damaged, with its line number
};

// Reads a checked-line file: after the version line, each line's payload (its check stripped)
// is given to `apply` in order; `apply` returns false for a payload that makes no sense, which
// counts as damage. An unfinished last line is left out: its change was never answered.
CheckedRead ReadCheckedLines(const std::string& path, const std::string& versionLine,
                             const std::function<bool(const std::string&)>& apply);

// A payload's '|'-separated fields.
std::vector<std::string> SplitPayload(const std::string& payload);
// A decimal field (an optional '-' and up to 18 digits); nullopt for anything else.
std::optional<int64_t> PayloadNumber(const std::string& text);

// A state kept as an append-only record: the version line, then one line per change, each
// ending in a checksum of its own, written before the change is answered (no flush to disk: a
// killed process loses nothing the kernel has). The owner rewrites the file in one step to the
// lines that still matter at start-up and when it is worth it.
class CheckedLineFile {
  public:
    // `what` names the file in warnings: "the <what> <path> is damaged ...".
    CheckedLineFile(std::string path, std::string versionLine, std::string what);
    ~CheckedLineFile();
    CheckedLineFile(const CheckedLineFile&) = delete;
    CheckedLineFile& operator=(const CheckedLineFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& versionLine() const { return versionLine_; }

    // Start-up: removes what an interrupted rewrite left behind, then, unless `fresh`, reads the
    // file with `load` (which takes what it read only when the file is whole). A damaged file
    // is renamed to "<path>.damaged-<n>" (the first n free, beside the file a link names) with a
    // warning on stderr and the owner starts afresh; so is anything but a regular file at the
    // name (a link to one by the link's own name). True when the owner should now rewrite the
    // file: it was read, or it exists and `fresh` discards what it holds.
    bool Open(bool fresh, const std::function<CheckedRead()>& load);

    // Appends one line. Once a line could not be written, only a whole rewrite brings the file
    // up to date again: then it is rewritten from `whole` (the payloads that matter now, this
    // change included) instead.
    void Append(const std::string& payload, const std::function<std::vector<std::string>()>& whole);
    // Replaces the file with the version line and these payloads, in one step.
    void Rewrite(const std::vector<std::string>& payloads);

  private:
    std::string path_;
    std::string versionLine_;
    std::string what_;
    int fd_ = -1;
    bool behind_ = false;  // a line could not be written: the file lacks a change
    bool warned_ = false;  // a failed write is reported once
};

}  // namespace nt
