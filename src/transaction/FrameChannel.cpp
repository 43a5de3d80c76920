#include "transaction/FrameChannel.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace nt {

namespace {

constexpr size_t kHeaderSize = 12;

void PutWord(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

uint32_t GetWord(const std::string& in, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    }
    return value;
}

}  // namespace

std::string OverLimitText(const char* what, size_t size) {
    return std::string("the payment client's ") + what + " is " + std::to_string(size) +
           " bytes, over the limit of 16 MiB";
}

std::string EncodeFrame(const Frame& frame) {
    std::string out;
    out.reserve(kHeaderSize + frame.text.size() + frame.error.size());
    PutWord(out, static_cast<uint32_t>(frame.tag));
    PutWord(out, static_cast<uint32_t>(frame.text.size()));
    PutWord(out, static_cast<uint32_t>(frame.error.size()));
    out += frame.text;
    out += frame.error;
    return out;
}

std::optional<Frame> FrameReader::Next() {
    if (!broken_.empty() || buffer_.size() < kHeaderSize) {
        return std::nullopt;
    }
    const size_t textSize = GetWord(buffer_, 4);
    const size_t errorSize = GetWord(buffer_, 8);
    if (textSize > kFrameTextLimit || errorSize > kFrameTextLimit) {
        broken_ = OverLimitText(textSize > kFrameTextLimit ? "response" : "error text",
                                textSize > kFrameTextLimit ? textSize : errorSize);
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < kHeaderSize + textSize + errorSize) {
        return std::nullopt;
    }
    Frame frame;
    frame.tag = static_cast<int32_t>(GetWord(buffer_, 0));
    frame.text = buffer_.substr(kHeaderSize, textSize);
    frame.error = buffer_.substr(kHeaderSize + textSize, errorSize);
    buffer_.erase(0, kHeaderSize + textSize + errorSize);
    return frame;
}

bool SendFrame(int fd, const Frame& frame) {
    const std::string bytes = EncodeFrame(frame);
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool ReceiveFrame(int fd, FrameReader& reader, Frame& frame) {
    char buffer[65536];
    for (;;) {
        if (std::optional<Frame> next = reader.Next()) {
            frame = std::move(*next);
            return true;
        }
        if (!reader.Broken().empty()) {
            return false;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        reader.Append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace nt
