#include "script/ScriptLineReader.h"

#include <unistd.h>

#include "platform/TextFile.h"

namespace nt {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kLongHeadBytes = 64;

}  // namespace

ScriptLineReader::ScriptLineReader(const std::string& path, size_t maxLine, size_t readSize)
    : maxLine_(maxLine), readSize_(readSize) {
    size_t size = 0;
    fd_ = OpenForReading(path, size);
    atEnd_ = fd_ < 0;
}

ScriptLineReader::~ScriptLineReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::optional<std::string_view> ScriptLineReader::Next() {
    for (;;) {
        if (atStart_ && (buffer_.size() >= kByteOrderMark.size() || atEnd_)) {
            start_ =
                std::string_view(buffer_).starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
            atStart_ = false;
        }
        if (!atStart_) {
            const size_t end = buffer_.find('\n', start_ + scanned_);
            if (end != std::string::npos) {
                return TakeLine(end, end + 1);
            }
            scanned_ = buffer_.size() - start_;
            if (dropping_ || scanned_ > maxLine_) {
                // What was read of a line too long is let go; the rest is skipped up to its LF.
                // One that ends the file ends it with the line before.
                MarkLongLine(line_ + 1, std::string_view(buffer_).substr(start_));
                buffer_.resize(start_);
                scanned_ = 0;
            }
            if (atEnd_) {
                if (scanned_ == 0) {
                    return std::nullopt;
                }
                return TakeLine(buffer_.size(), buffer_.size());
            }
        }
        if (!ReadMore()) {
            atEnd_ = true;
        }
    }
}

std::string_view ScriptLineReader::TakeLine(size_t end, size_t next) {
    std::string_view line = std::string_view(buffer_).substr(start_, end - start_);
    start_ = next;
    scanned_ = 0;
    ++line_;
    tooLong_ = dropping_ || line.size() > maxLine_;
    if (tooLong_) {
        MarkLongLine(line_, line);
        dropping_ = false;
        return {};
    }
    if (end < next && line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

void ScriptLineReader::MarkLongLine(int line, std::string_view head) {
    if (!dropping_) {
        longHead_.assign(head.substr(0, kLongHeadBytes));
    }
    if (firstLongLine_ == 0) {
        firstLongLine_ = line;
    }
    dropping_ = true;
}

bool ScriptLineReader::ReadMore() {
    if (atEnd_) {
        return false;
    }
    const long n = ReadMoreInto(fd_, buffer_, start_, readSize_);
    start_ = 0;
    return n > 0;
}

bool ScriptLineReader::Rewind() {
    if (fd_ < 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
        return false;
    }
    buffer_.clear();
    start_ = scanned_ = 0;
    atStart_ = true;
    dropping_ = atEnd_ = tooLong_ = false;
    line_ = firstLongLine_ = 0;
    return true;
}

int LoneCarriageReturnLine(ScriptLineReader& file) {
    while (std::optional<std::string_view> line = file.Next()) {
        if (line->find('\r') != std::string_view::npos) {
            return file.Line();
        }
    }
    return 0;
}

}  // namespace nt
