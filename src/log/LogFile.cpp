#include "log/LogFile.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/WriteFault.h"
#include "platform/WriteTarget.h"

namespace nt {

bool LogFile::Open(const std::string& path) {
    Close();
    int fd = OpenForAppending(path);
    if (fd < 0) {
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    fd_ = fd;
    return true;
}

bool LogFile::Write(std::string_view data) {
    if (fd_ < 0) {
        return false;
    }
    while (!data.empty()) {
        ssize_t n = WriteSome(fd_, data.data(), data.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void LogFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace nt
