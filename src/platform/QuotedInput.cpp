#include "platform/QuotedInput.h"

#include <cstdio>

#include "platform/Codepage.h"

namespace nt {

namespace {

void AppendEscapedByte(std::string& out, unsigned char byte) {
    switch (byte) {
        case '\t':
            out += "\\t";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\n':
            out += "\\n";
            return;
        default:
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
    }
}

bool PrintableCp1252(unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F &&
           byte != 0x90 && byte != 0x9D;
}

}  // namespace

std::string QuoteInput(std::string_view text, InputEncoding encoding) {
    std::string out = "'";
    size_t characters = 0;
    size_t at = 0;
    while (at < text.size() && characters < kQuotedCharacters) {
        const auto byte = static_cast<unsigned char>(text[at]);
        size_t length = byte >= 0x20 && byte < 0x7F ? 1 : 0;
        if (byte >= 0x80) {
            length = encoding == InputEncoding::kUtf8 ? PrintableUtf8Length(text.substr(at))
                     : PrintableCp1252(byte)          ? 1
                                                      : 0;
        }
        if (length == 0) {
            AppendEscapedByte(out, byte);
            length = 1;
        } else {
            out.append(text, at, length);
        }
        at += length;
        ++characters;
    }
    out += '\'';
    if (at < text.size()) {
        out += "... (" + std::to_string(text.size()) + " bytes)";
    }
    return out;
}

}  // namespace nt
