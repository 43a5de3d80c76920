#include "serial/ReplyFields.h"

namespace nt {

namespace {

bool IsTokenByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x21 && byte <= 0x7F;
}

}  // namespace

bool IsReplyComplete(std::string_view text) {
    return text.size() > 4 && text.starts_with("\r\n") && text.ends_with("\r\n");
}

CReplyFields::CReplyFields(std::string_view reply) {
    size_t stored = 0;
    std::string current;
    for (char c : reply) {
        if (stored == kCount) {
            break;
        }
        if (IsTokenByte(c)) {
            current.push_back(c);
        } else if (!current.empty()) {
            tokens_[stored++] = std::move(current);
            current.clear();
        }
    }
}

const std::string& CReplyFields::Token(size_t number) const {
    return number >= 1 && number <= kCount ? tokens_[number - 1] : none_;
}

std::string ReplyLines(std::string_view reply) {
    std::string lines;
    std::string current;
    for (char c : reply) {
        if (c == '\r') {
            continue;
        }
        if (c != '\n') {
            current.push_back(c);
            continue;
        }
        if (!current.empty()) {
            lines += current;
            lines += "\r\n";
            current.clear();
        }
    }
    return lines;
}

std::string ReceiptBody(std::string_view detailsReply) {
    std::string body = ReplyLines(detailsReply);
    const size_t marker = body.rfind("EOD ");
    if (marker != std::string::npos) {
        body.resize(marker);
    }
    return body;
}

}  // namespace nt
