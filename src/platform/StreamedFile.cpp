#include "platform/StreamedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/DataFolder.h"
#include "platform/EvidenceLoss.h"
#include "platform/StaleTemporaries.h"
#include "platform/TextFile.h"
#include "platform/WriteFault.h"
#include "platform/WriteTarget.h"

namespace nt {

namespace {

// An unnamed file in `folder`; where the file system cannot make one, a named one unlinked at
// once (`unnamed` false). -1 with errno set on failure.
int OpenScratch(const std::string& folder, bool& unnamed) {
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    unnamed = fd >= 0;
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
        return fd;
    }
    std::string name = folder + "/.nordteller-scratch.XXXXXX";
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::unlink(name.c_str());
    }
    return fd;
}

}  // namespace

StreamedFile::~StreamedFile() {
    if (scratch_ >= 0) {
        ::close(scratch_);
    }
}

bool StreamedFile::Fail(int error) {
    if (error_.empty()) {
        error_ = FileErrorText(error);
    }
    return false;
}

bool StreamedFile::Lost(int error) {
    if (error_.empty()) {
        NoteLostEvidence(EvidenceKind::kReport, path_, error);
    }
    return Fail(error);
}

bool StreamedFile::Open(const std::string& path) {
    path_ = path;
    scratch_ = OpenScratch(FolderOf(path), unnamed_);
    return scratch_ >= 0 || Fail(errno);
}

bool StreamedFile::Append(std::string_view data) {
    if (!error_.empty() || scratch_ < 0) {
        return false;
    }
    return WriteAll(scratch_, data.data(), data.size()) || Lost(errno);
}

bool StreamedFile::CopyBody(int to) {
    // The kernel copies the body itself where it can (a record of hundreds of megabytes costs
    // no pass through this process); a write fault armed by a test needs the writes below.
    if (!WriteFaultArmed()) {
        loff_t from = 0;
        for (;;) {
            const ssize_t n = ::copy_file_range(scratch_, &from, to, nullptr, 1 << 30, 0);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n == 0) {
                return true;
            }
            if (n < 0) {
                if (from == 0 &&
                    (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                    break;  // not between these files: copied below
                }
                return false;
            }
        }
    }
    std::vector<char> buffer(1 << 20);
    for (off_t at = 0;;) {
        ssize_t n = ::pread(scratch_, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        if (!WriteAll(to, buffer.data(), static_cast<size_t>(n))) {
            return false;
        }
        at += n;
    }
}

StreamedFile::Linked StreamedFile::LinkInPlace(const std::string& target) {
    if (::fsync(scratch_) != 0 || ::fchmod(scratch_, 0644) != 0) {
        Lost(errno);
        return Linked::kLost;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(scratch_);
    std::string temporary;
    for (int tries = 0;; ++tries) {
        temporary = TemporaryNameBeside(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            break;
        }
        if (errno != EEXIST || tries == 100) {
            return Linked::kCannot;  // another file system (a link to elsewhere), no /proc
        }
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Lost(error);
        return Linked::kLost;
    }
    ::close(scratch_);  // it is the report now: nothing more may reach it
    scratch_ = -1;
    return Linked::kInPlace;
}

bool StreamedFile::Commit(std::string_view head, std::string_view tail) {
    RemoveStaleTemporaries(path_);  // left by an earlier run killed while committing
    if (!error_.empty()) {
        return false;
    }
    const std::optional<std::string> target = WriteTarget(path_);
    if (!target) {
        return Fail(errno);
    }
    if (head.empty() && unnamed_) {
        if (!Append(tail)) {
            return false;
        }
        tail = {};
        const Linked linked = LinkInPlace(*target);
        if (linked != Linked::kCannot) {
            return linked == Linked::kInPlace;
        }
    }
    std::string temporary;
    int fd = CreateTemporaryBeside(*target, temporary);
    if (fd < 0) {
        return Lost(errno);
    }
    bool ok = WriteAll(fd, head.data(), head.size()) && CopyBody(fd) &&
              WriteAll(fd, tail.data(), tail.size()) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        ::chmod(temporary.c_str(), 0644);
        ok = ::rename(temporary.c_str(), target->c_str()) == 0;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Lost(error);
    }
    return true;
}

}  // namespace nt
