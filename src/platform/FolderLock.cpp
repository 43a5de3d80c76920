#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace nt {

namespace {

std::string AbsolutePath(const std::string& folder) {
    char resolved[PATH_MAX];
    return ::realpath(folder.c_str(), resolved) != nullptr ? std::string(resolved) : folder;
}

// The holder's process id, written by the holder; empty when there is none to read.
std::string ReadHolder(int fd) {
    char text[32];
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    std::string_view digits(text, n > 0 ? static_cast<size_t>(n) : 0);
    while (!digits.empty() && (digits.back() == '\n' || digits.back() == ' ')) {
        digits.remove_suffix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return {};
    }
    return std::string(digits);
}

}  // namespace

FolderLock::FolderLock(const std::string& folder) : folder_(AbsolutePath(folder)) {
    const std::string path = folder + "/" + kFileName;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd_ < 0) {
        return;
    }
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        inUse_ = errno == EWOULDBLOCK;
        holder_ = inUse_ ? ReadHolder(fd_) : std::string();
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // Only the holder writes the file, so the one that is refused changes nothing.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd_, pid.data(), pid.size(), 0);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string FolderLock::InUseText() const {
    std::string text = "the folder " + folder_ + " is in use by another instance of nordteller";
    if (!holder_.empty()) {
        text += " (process " + holder_ + ")";
    }
    return text;
}

}  // namespace nt
