#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "script/ScriptFile.h"

namespace nt {

// Script.csv read as a stream, one line at a time, as the original platform's text mode reads
// it: LF ends a line, a CR just before it belongs to the line end, any other CR is an ordinary
// byte. A UTF-8 byte order mark at the very start is dropped; the last line needs no line end.
// A line longer than maxLine bytes reads as an empty line, so memory stays within about
// maxLine + readSize bytes however long the file is. The file is opened once, shared with
// other readers, and held until the reader goes away.
class ScriptLineReader {
  public:
    static constexpr size_t kReadSize = 64u << 10;

    explicit ScriptLineReader(const std::string& path, size_t maxLine = kMaxScriptLineBytes,
                              size_t readSize = kReadSize);
    ~ScriptLineReader();
    ScriptLineReader(const ScriptLineReader&) = delete;
    ScriptLineReader& operator=(const ScriptLineReader&) = delete;

    // False when the file could not be opened (missing, not a regular file, no permission, or
    // locked exclusively by another process); such a reader has no lines.
    bool Opened() const { return fd_ >= 0; }

    // The next line without its line end, nullopt at the end of the file (a read error ends
    // the file where it happened). The view holds until the next call.
    std::optional<std::string_view> Next();

    // The number (from 1) of the line Next gave last.
    int Line() const { return line_; }
    // The number of the first line read so far that was too long; 0 when none was.
    int FirstLongLine() const { return firstLongLine_; }
    // Whether the line Next gave last was too long (it read as empty), and its first bytes.
    bool TooLong() const { return tooLong_; }
    std::string_view TooLongHead() const { return longHead_; }

    // Back to the first line, for another pass over the same open file; false when the file
    // cannot be read again.
    bool Rewind();

  private:
    bool ReadMore();
    std::string_view TakeLine(size_t end, size_t next);
    void MarkLongLine(int line, std::string_view head);

    int fd_ = -1;
    size_t maxLine_;
    size_t readSize_;
    std::string buffer_;  // bytes read and not yet given, from start_
    size_t start_ = 0;
    size_t scanned_ = 0;     // bytes after start_ known to hold no LF
    bool atStart_ = true;    // the byte order mark is not looked for yet
    bool dropping_ = false;  // inside a line that is too long: its bytes are not kept
    bool atEnd_ = false;
    int line_ = 0;
    int firstLongLine_ = 0;
    bool tooLong_ = false;
    std::string longHead_;  // enough of the last line too long to tell a Run row
};

// Reads on to the first line that holds a CR not followed by a LF (a file with CR-only line
// ends reads as one long line) and gives its number; 0, with every line read, when there is
// none.
int LoneCarriageReturnLine(ScriptLineReader& file);

}  // namespace nt
