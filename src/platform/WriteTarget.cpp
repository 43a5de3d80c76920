#include "platform/WriteTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace nt {

namespace {

// As many links in a row as the kernel itself follows.
constexpr int kMaxLinks = 40;

// The name at the end of path's links and what it is (mode 0 when it does not exist yet).
std::optional<std::string> FollowLinks(const std::string& path, mode_t& mode) {
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return std::nullopt;
            }
            mode = 0;
            return current;
        }
        if (!S_ISLNK(info.st_mode)) {
            mode = info.st_mode;
            if (links > 0 && !S_ISREG(mode)) {
                errno = kNotRegularFile;
                return std::nullopt;
            }
            return current;
        }
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0) {
            return std::nullopt;
        }
        // A relative target is taken from the link's own folder.
        const std::string next(target, static_cast<size_t>(n));
        const size_t slash = current.rfind('/');
        current = next.starts_with('/') || slash == std::string::npos
                      ? next
                      : current.substr(0, slash + 1) + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

}  // namespace

std::string FileErrorText(int error) {
    return error == kNotRegularFile ? "not a regular file" : std::strerror(error);
}

std::optional<std::string> WriteTarget(const std::string& path) {
    mode_t mode = 0;
    return FollowLinks(path, mode);
}

int OpenForAppending(const std::string& path) {
    mode_t mode = 0;
    const std::optional<std::string> target = FollowLinks(path, mode);
    if (!target) {
        return -1;
    }
    // Checked before opening: opening a device can do something by itself. A folder is left to
    // the open, whose answer names it.
    if (mode != 0 && !S_ISREG(mode) && !S_ISDIR(mode)) {
        errno = kNotRegularFile;
        return -1;
    }
    const int fd = ::open(target->c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        // Put in place since the check: a FIFO without a reader answers ENXIO.
        if (errno == ENXIO) {
            errno = kNotRegularFile;
        }
        return -1;
    }
    struct stat info {};
    const int error = ::fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : kNotRegularFile;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace nt
