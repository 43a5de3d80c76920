#pragma once

#include <string>
#include <string_view>

namespace nt {

// A log file held for exclusive use while open: created when missing, never truncated, every
// write goes to the end. A file that another process holds exclusively cannot be opened, nor
// can anything but a regular file (WriteTarget tells how a link is taken).
class LogFile {
  public:
    LogFile() = default;
    ~LogFile() { Close(); }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // False with errno telling why; EWOULDBLOCK: another process holds the file;
    // kNotRegularFile: a FIFO, a device, a link to one.
    bool Open(const std::string& path);
    bool Write(std::string_view data);
    void Close();

  private:
    int fd_ = -1;
};

}  // namespace nt
