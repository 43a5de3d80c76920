#include "platform/CheckedLineFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/EvidenceLoss.h"
#include "platform/StaleTemporaries.h"
#include "platform/TextFile.h"
#include "platform/WriteTarget.h"

namespace nt {

namespace {

uint32_t Checksum(const std::string& text) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

std::string CheckedLine(const std::string& payload) {
    char sum[16];
    std::snprintf(sum, sizeof sum, "*%08x\n", Checksum(payload));
    return payload + sum;
}

// "<path>.damaged-<n>" with the first n no file has.
std::string SetAsideName(const std::string& path) {
    for (int n = 1;; ++n) {
        std::string name = path + ".damaged-" + std::to_string(n);
        if (::access(name.c_str(), F_OK) != 0) {
            return name;
        }
    }
}

}  // namespace

CheckedRead ReadCheckedLines(const std::string& path, const std::string& versionLine,
                             const std::function<bool(const std::string&)>& apply) {
    CheckedRead read;
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        // A FIFO or a device holds no journal, and appending to one would wait or lose the lines.
        read.notRegular = errno == kNotRegularFile;
        read.found = read.damaged = read.notRegular;
        return read;
    }
    read.found = true;
    const std::string header = versionLine + "\n";
    if (content->compare(0, header.size(), header) != 0) {
        read.damaged = true;
        read.why = "line 1: not a journal of this version";
        return read;
    }
    size_t begin = header.size();
    for (int line = 2; begin < content->size(); ++line) {
        const size_t end = content->find('\n', begin);
        if (end == std::string::npos) {
            read.tornTail = true;
            break;
        }
        const std::string text = content->substr(begin, end - begin + 1);
        begin = end + 1;
        const size_t star = text.rfind('*');
        if (star == std::string::npos || CheckedLine(text.substr(0, star)) != text ||
            !apply(text.substr(0, star))) {
            read.damaged = true;
            read.why = "line " + std::to_string(line) + ": fails its check";
            return read;
        }
    }
    return read;
}

std::vector<std::string> SplitPayload(const std::string& payload) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        const size_t bar = payload.find('|', begin);
        fields.push_back(payload.substr(begin, bar - begin));
        if (bar == std::string::npos) {
            return fields;
        }
        begin = bar + 1;
    }
}

std::optional<int64_t> PayloadNumber(const std::string& text) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() <= first || text.size() > 18) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

CheckedLineFile::CheckedLineFile(std::string path, std::string versionLine, std::string what)
    : path_(std::move(path)), versionLine_(std::move(versionLine)), what_(std::move(what)) {}

CheckedLineFile::~CheckedLineFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool CheckedLineFile::Open(bool fresh, const std::function<CheckedRead()>& load) {
    RemoveStaleTemporaries(path_);
    if (fresh) {
        return ::access(path_.c_str(), F_OK) == 0;
    }
    const CheckedRead read = load();
    if (!read.damaged) {
        return read.found;
    }
    // A damaged file is set aside beside itself, so a link to it names the fresh journal; what is
    // not a regular file goes by the name it has here and is never followed: a link to a device
    // is set aside, not the device.
    const std::string damaged = read.notRegular ? path_ : WriteTarget(path_).value_or(path_);
    const std::string aside = SetAsideName(damaged);
    const bool moved = ::rename(damaged.c_str(), aside.c_str()) == 0;
    const std::string what = read.notRegular ? "not a regular file" : "damaged (" + read.why + ")";
    std::fprintf(stderr, "nordteller: the %s %s is %s; %s\n", what_.c_str(), path_.c_str(),
                 what.c_str(),
                 moved ? ("set aside as " + aside + ", starting a fresh journal").c_str()
                       : "it cannot be set aside, starting a fresh journal");
    return false;
}

void CheckedLineFile::Append(const std::string& payload,
                             const std::function<std::vector<std::string>()>& whole) {
    if (behind_) {
        Rewrite(whole());
        return;
    }
    if (fd_ < 0) {
        fd_ = OpenForAppending(path_);
    }
    std::string line;
    const off_t size = fd_ < 0 ? -1 : ::lseek(fd_, 0, SEEK_END);
    if (size == 0) {
        line = versionLine_ + "\n";
    }
    line += CheckedLine(payload);
    // One write per line (the kernel may still cut it short): a killed process leaves whole
    // lines and at most one torn last one.
    if (size >= 0 && WriteAll(fd_, line.data(), line.size())) {
        return;
    }
    const int error = errno;
    // A line cut short (a full disk) is taken back, so the file keeps only whole lines.
    if (size >= 0 && ::ftruncate(fd_, size) != 0) {
        std::fprintf(stderr, "nordteller: the %s %s ends in a cut line: %s\n", what_.c_str(),
                     path_.c_str(), std::strerror(errno));
    }
    behind_ = true;
    NoteLostEvidence(EvidenceKind::kJournal, path_, error, true);
    if (!warned_) {
        std::fprintf(stderr, "nordteller: cannot write the %s %s: %s\n", what_.c_str(),
                     path_.c_str(), FileErrorText(error).c_str());
        warned_ = true;
    }
}

void CheckedLineFile::Rewrite(const std::vector<std::string>& payloads) {
    std::string content = versionLine_ + "\n";
    for (const std::string& payload : payloads) {
        content += CheckedLine(payload);
    }
    if (!WriteFileAtomic(path_, content)) {
        return;  // the file stays as it was, whole, and as current as its last line
    }
    behind_ = false;
    // The appends go on in the file that replaced the old one.
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace nt
