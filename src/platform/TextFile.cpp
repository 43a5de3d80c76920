#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/StaleTemporaries.h"
#include "platform/WriteFault.h"
#include "platform/WriteTarget.h"

namespace nt {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = WriteSome(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

long ReadMoreInto(int fd, std::string& buffer, size_t taken, size_t bytes) {
    buffer.erase(0, taken);
    const size_t kept = buffer.size();
    buffer.resize(kept + bytes);
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer.data() + kept, bytes);
    } while (n < 0 && errno == EINTR);
    const int error = errno;
    buffer.resize(kept + (n > 0 ? static_cast<size_t>(n) : 0));
    errno = error;
    return n;
}

int OpenForReading(const std::string& path, size_t& size) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    int error = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : kNotRegularFile;
    if (error == 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    size = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    return fd;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    size_t size = 0;
    int fd = OpenForReading(path, size);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    content.reserve(size);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // a read error ends the file where it happened, as text mode does
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return content;
}

std::optional<std::string> ReadFirstLine(const std::string& path) {
    size_t size = 0;
    int fd = OpenForReading(path, size);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string line;
    char buffer[4096];
    bool done = false;
    while (!done && line.size() < kMaxLineBytes) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        const char* end =
            static_cast<const char*>(std::memchr(buffer, '\n', static_cast<size_t>(n)));
        size_t take = end ? static_cast<size_t>(end - buffer) : static_cast<size_t>(n);
        line.append(buffer, take);
        done = end != nullptr;
    }
    ::close(fd);
    if (line.size() > kMaxLineBytes) {
        line.resize(kMaxLineBytes);
    }
    if (done && !line.empty() && line.back() == '\r') {
        line.pop_back();  // CR LF reads as one line end
    }
    return line;
}

bool WriteFileAtomic(const std::string& path, const std::string& content) {
    const std::optional<std::string> target = WriteTarget(path);
    if (!target) {
        return false;
    }
    std::string pattern;
    int fd = CreateTemporaryBeside(*target, pattern);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, content.data(), content.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        ::chmod(pattern.c_str(), 0644);
        ok = ::rename(pattern.c_str(), target->c_str()) == 0;
    }
    if (!ok) {
        const int error = errno;
        ::unlink(pattern.c_str());
        errno = error;
        return false;
    }
    // No flush of the directory: until the rename reaches the disk the old file is what a
    // crash leaves, which is as whole as the new one.
    return true;
}

bool WriteFileExclusive(const std::string& path, const std::string& content, bool append) {
    // Opened for appending either way: truncated, the file is written from its start all the same.
    int fd = OpenForAppending(path);
    if (fd < 0) {
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (!append && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return false;
    }
    bool ok = WriteAll(fd, content.data(), content.size());
    ok = (::close(fd) == 0) && ok;
    return ok;
}

}  // namespace nt
