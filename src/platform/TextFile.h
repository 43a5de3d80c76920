#pragma once

#include <optional>
#include <string>

namespace nt {

// The first line of a text file read as the original platform's text mode does: a CR LF pair is
// one line end, a lone CR is an ordinary character, the line end is not part of the line. An
// empty file gives an empty line. nullopt when the file cannot be opened (missing, not a
// regular file — a directory, a FIFO, a device —, no permission, or locked exclusively by
// another process); opening never waits. A first line longer than
// kMaxLineBytes is cut there: no file this program reads has a meaningful line that long.
std::optional<std::string> ReadFirstLine(const std::string& path);
inline constexpr size_t kMaxLineBytes = 16u << 20;

// A regular file opened for reading with a shared lock, or -1 with errno set: missing, anything
// but a regular file (kNotRegularFile), no permission, or held exclusively by another process.
// Opening does not block, so a FIFO is refused, not waited on. `size` is its size when known.
// The caller closes it.
int OpenForReading(const std::string& path, size_t& size);

// For a reader that takes lines from a buffer: drops the first `taken` bytes of `buffer` and
// appends what one read of up to `bytes` brings, read again when a signal interrupts it. The
// count read, 0 at the end of the file, or -1 with errno set (the buffer keeps what it held).
long ReadMoreInto(int fd, std::string& buffer, size_t taken, size_t bytes);

// The whole content of a file, read as it is; nullopt when it cannot be opened (as above).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes all `size` bytes to fd, again after an interruption or a short write; false with errno
// set when a write fails.
bool WriteAll(int fd, const char* data, size_t size);

// Replaces the file's content as one step: a temporary file in the same directory is written,
// flushed to disk and renamed over the old one. A symbolic link is written through (see
// WriteTarget): the file it names is replaced and the link stays. On any failure the old file
// stays untouched and false is returned, with errno telling why.
bool WriteFileAtomic(const std::string& path, const std::string& content);

// Writes content to a file opened for exclusive use (a file another process holds exclusively
// counts as one that cannot be opened, and so does anything but a regular file). Appends when
// append is true, else truncates.
bool WriteFileExclusive(const std::string& path, const std::string& content, bool append);

}  // namespace nt
