#include "platform/QuotedInput.h"

#include <cstdio>

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

// The length of the well-formed, printable UTF-8 character at the start of text; 0 when it is
// not one (a stray or truncated sequence, an overlong form, a surrogate, a C1 control).
size_t Utf8CharacterLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned char second = byte(1);
    const bool misformed = (lead == 0xC2 && second < 0xA0) ||   // C1 controls
                           (lead == 0xE0 && second < 0xA0) ||   // overlong
                           (lead == 0xED && second >= 0xA0) ||  // surrogates
                           (lead == 0xF0 && second < 0x90) ||   // overlong
                           (lead == 0xF4 && second >= 0x90);    // beyond U+10FFFF
    return misformed ? 0 : length;
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
            length = encoding == InputEncoding::kUtf8 ? Utf8CharacterLength(text.substr(at))
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
