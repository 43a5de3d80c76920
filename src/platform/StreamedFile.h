#pragma once

#include <string>
#include <string_view>

namespace nt {

// A file written as its content comes and put in place in one step at the end, whose head
// (totals, say) is known only then. The body goes to an unnamed scratch file in the target's
// folder, so a process that dies leaves nothing; Commit writes head, body and tail to a
// temporary file there, flushes it and renames it over the target. Without a head, the scratch
// file itself is given the temporary's name, so a long body is not written twice nor held twice
// on the disk. Memory stays flat however long the body grows. Failures keep the system's
// reason; the target is never half written.
class StreamedFile {
  public:
    StreamedFile() = default;
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    bool Open(const std::string& path);
    // False once any write failed (later ones are not tried).
    bool Append(std::string_view data);
    // Also removes the stale temporaries of an earlier run killed while committing.
    bool Commit(std::string_view head, std::string_view tail);
    // The system's reason of the first failure; empty while all went well.
    const std::string& Error() const { return error_; }

  private:
    bool Fail(int error);
    // A failure after the file was opened: the report it holds is lost evidence.
    bool Lost(int error);
    bool CopyBody(int to);
    enum class Linked { kInPlace, kLost, kCannot };
    Linked LinkInPlace(const std::string& target);

    std::string path_;
    int scratch_ = -1;
    bool unnamed_ = false;  // the scratch file can be given a name
    std::string error_;
};

}  // namespace nt
