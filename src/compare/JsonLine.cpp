#include "compare/JsonLine.h"

#include <cstdint>
#include <cstring>

namespace nt {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Four hex digits at text[at..]; -1 when they are not.
long Hex4(std::string_view text, size_t at) {
    if (at + 4 > text.size()) {
        return -1;
    }
    long value = 0;
    for (size_t i = 0; i < 4; ++i) {
        const int digit = HexDigit(text[at + i]);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

// The first byte below 0x20 in data[from, to), or `to`: eight bytes a step.
size_t ControlByte(const char* data, size_t from, size_t to) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    size_t i = from;
    for (; i + 8 <= to; i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, data + i, 8);
        // A byte below 0x20 sets its high bit here (a byte of 0x80 or more cannot).
        if (((word - 0x20 * kOnes) & ~word & 0x80 * kOnes) != 0) {
            break;
        }
    }
    for (; i < to; ++i) {
        if (static_cast<unsigned char>(data[i]) < 0x20) {
            return i;
        }
    }
    return to;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string DecodeJsonString(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    size_t i = 0;
    while (i < raw.size()) {
        const size_t slash = raw.find('\\', i);
        if (slash == std::string_view::npos) {
            out.append(raw.substr(i));
            break;
        }
        out.append(raw.substr(i, slash - i));
        i = slash + 1;
        if (i >= raw.size()) {
            break;
        }
        const char c = raw[i++];
        switch (c) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                long cp = Hex4(raw, i);
                i += 4;
                if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < raw.size() && raw[i] == '\\' &&
                    raw[i + 1] == 'u') {
                    const long low = Hex4(raw, i + 2);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        i += 6;
                    }
                }
                if (cp < 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                    cp = 0xFFFD;
                }
                AppendUtf8(out, static_cast<char32_t>(cp));
                break;
            }
            default:  // " \ /
                out += c;
                break;
        }
    }
    return out;
}

bool JsonLine::Fail(const char* what) {
    if (error_ != nullptr && error_->empty()) {
        if (at_ >= text_.size()) {
            *error_ = std::string(what) + " at the end of the line";
        } else {
            const auto byte = static_cast<unsigned char>(text_[at_]);
            std::string shown;
            if (byte >= 0x20 && byte < 0x7F) {
                shown = std::string("'") + static_cast<char>(byte) + "'";
            } else {
                static constexpr char kHex[] = "0123456789ABCDEF";
                shown = std::string("byte \\x") + kHex[byte >> 4] + kHex[byte & 0xF];
            }
            *error_ = std::string(what) + " (" + shown + ") at column " + std::to_string(at_ + 1);
        }
    }
    return false;
}

void JsonLine::SkipBlanks() {
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            return;
        }
        ++at_;
    }
}

bool JsonLine::Parse(std::string_view text, std::string& error) {
    text_ = text;
    at_ = 0;
    error.clear();
    error_ = &error;
    nodes_.clear();
    decodedKeys_.clear();
    SkipBlanks();
    if (!ParseValue(0)) {
        nodes_.clear();
        return false;
    }
    SkipBlanks();
    if (at_ != text_.size()) {
        nodes_.clear();
        return Fail("more after the value");
    }
    return true;
}

bool JsonLine::ParseString(std::string_view& raw, bool& escaped) {
    ++at_;  // the opening quote
    const size_t start = at_;
    escaped = false;
    const char* data = text_.data();
    const size_t size = text_.size();
    size_t quote = at_;  // the next quote at or after at_ once found; searched again past it
    bool quoteFound = false;
    for (;;) {
        // Most of a record is long runs of plain text: find the next quote or backslash at once.
        if (!quoteFound || quote < at_) {
            const void* found = std::memchr(data + at_, '"', size - at_);
            quote = found == nullptr ? size
                                     : static_cast<size_t>(static_cast<const char*>(found) - data);
            quoteFound = true;
        }
        const void* slash = std::memchr(data + at_, '\\', quote - at_);
        const size_t stop = slash == nullptr ? quote : static_cast<const char*>(slash) - data;
        if (const size_t control = ControlByte(data, at_, stop); control < stop) {
            at_ = control;
            return Fail("a control character in a string");
        }
        at_ = stop;
        if (at_ >= size) {
            return Fail("a string without its closing quote");
        }
        if (data[at_] == '"') {
            raw = text_.substr(start, at_ - start);
            ++at_;
            return true;
        }
        escaped = true;
        ++at_;  // the backslash
        if (at_ >= size) {
            return Fail("a string without its closing quote");
        }
        switch (data[at_]) {
            case 'u':
                if (Hex4(text_, at_ + 1) < 0) {
                    return Fail("a \\u escape without four hex digits");
                }
                at_ += 5;
                break;
            case '"':
            case '\\':
            case '/':
            case 'b':
            case 'f':
            case 'n':
            case 'r':
            case 't':
                ++at_;
                break;
            default:
                return Fail("an unknown escape");
        }
    }
}

bool JsonLine::ParseNumber() {
    const size_t start = at_;
    const auto digit = [this] {
        return at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9';
    };
    if (at_ < text_.size() && text_[at_] == '-') {
        ++at_;
    }
    if (!digit()) {
        return Fail("a number without digits");
    }
    if (text_[at_] == '0') {
        ++at_;
    } else {
        while (digit()) {
            ++at_;
        }
    }
    if (at_ < text_.size() && text_[at_] == '.') {
        ++at_;
        if (!digit()) {
            return Fail("a fraction without digits");
        }
        while (digit()) {
            ++at_;
        }
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
        ++at_;
        if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) {
            ++at_;
        }
        if (!digit()) {
            return Fail("an exponent without digits");
        }
        while (digit()) {
            ++at_;
        }
    }
    nodes_.back().raw = text_.substr(start, at_ - start);
    return true;
}

bool JsonLine::ParseLiteral(std::string_view word, Type type) {
    if (text_.substr(at_, word.size()) != word) {
        return Fail("an unexpected character");
    }
    nodes_.back().type = type;
    nodes_.back().raw = text_.substr(at_, word.size());
    at_ += word.size();
    return true;
}

bool JsonLine::ParseValue(int depth) {
    if (depth > kMaxDepth) {
        return Fail("nested too deep");
    }
    if (at_ >= text_.size()) {
        return Fail("a value missing");
    }
    const size_t self = nodes_.size();
    nodes_.emplace_back();
    bool ok = true;
    switch (text_[at_]) {
        case '"': {
            std::string_view raw;
            bool escaped = false;
            ok = ParseString(raw, escaped);
            nodes_[self].type = Type::kString;
            nodes_[self].raw = raw;
            nodes_[self].escaped = escaped;
            break;
        }
        case '{':
        case '[': {
            const bool object = text_[at_] == '{';
            const char close = object ? '}' : ']';
            nodes_[self].type = object ? Type::kObject : Type::kArray;
            ++at_;
            SkipBlanks();
            if (at_ < text_.size() && text_[at_] == close) {
                ++at_;
                break;
            }
            for (;;) {
                std::string_view key;
                if (object) {
                    if (at_ >= text_.size() || text_[at_] != '"') {
                        return Fail("a member name missing");
                    }
                    bool escaped = false;
                    if (!ParseString(key, escaped)) {
                        return false;
                    }
                    if (escaped) {
                        key = decodedKeys_.emplace_back(DecodeJsonString(key));
                    }
                    SkipBlanks();
                    if (at_ >= text_.size() || text_[at_] != ':') {
                        return Fail("a colon missing after a member name");
                    }
                    ++at_;
                    SkipBlanks();
                }
                const size_t child = nodes_.size();
                if (!ParseValue(depth + 1)) {
                    return false;
                }
                nodes_[child].key = key;
                SkipBlanks();
                if (at_ < text_.size() && text_[at_] == ',') {
                    ++at_;
                    SkipBlanks();
                    continue;
                }
                if (at_ < text_.size() && text_[at_] == close) {
                    ++at_;
                    break;
                }
                return Fail(object ? "a comma or closing brace missing"
                                   : "a comma or closing bracket missing");
            }
            break;
        }
        case 't':
            ok = ParseLiteral("true", Type::kTrue);
            break;
        case 'f':
            ok = ParseLiteral("false", Type::kFalse);
            break;
        case 'n':
            ok = ParseLiteral("null", Type::kNull);
            break;
        default:
            if (text_[at_] != '-' && (text_[at_] < '0' || text_[at_] > '9')) {
                return Fail("an unexpected character");
            }
            nodes_[self].type = Type::kNumber;
            ok = ParseNumber();
            break;
    }
    if (!ok) {
        return false;
    }
    if (nodes_.size() > UINT32_MAX - 1) {
        return Fail("too many values");
    }
    nodes_[self].end = static_cast<uint32_t>(nodes_.size());
    return true;
}

JsonLine::Value JsonLine::Root() const {
    if (nodes_.empty()) {
        return {};
    }
    return Value(this, 0, static_cast<uint32_t>(nodes_.size()));
}

JsonLine::Value JsonLine::Value::First() const {
    if (!Valid() || (node().type != Type::kArray && node().type != Type::kObject) ||
        node().end == at_ + 1) {
        return {};
    }
    return Value(doc_, at_ + 1, node().end);
}

JsonLine::Value JsonLine::Value::Next() const {
    if (!Valid() || node().end >= parentEnd_) {
        return {};
    }
    return Value(doc_, node().end, parentEnd_);
}

size_t JsonLine::Value::Size() const {
    size_t n = 0;
    for (Value v = First(); v.Valid(); v = v.Next()) {
        ++n;
    }
    return n;
}

JsonLine::Value JsonLine::Value::operator[](std::string_view name) const {
    if (GetType() != Type::kObject) {
        return {};
    }
    for (Value v = First(); v.Valid(); v = v.Next()) {
        if (v.node().key == name) {
            return v;
        }
    }
    return {};
}

std::string JsonLine::Value::String() const {
    if (!IsString()) {
        return {};
    }
    return node().escaped ? DecodeJsonString(node().raw) : std::string(node().raw);
}

bool JsonLine::Value::PlainString(std::string_view& text) const {
    if (!IsString() || node().escaped) {
        return false;
    }
    text = node().raw;
    return true;
}

bool JsonLine::Value::Int(int64_t& value, int64_t min, int64_t max) const {
    const std::string_view text = NumberText();
    if (text.empty() || text.size() > 18 || text.find_first_of(".eE") != std::string_view::npos) {
        return false;
    }
    int64_t n = 0;
    const bool negative = text[0] == '-';
    for (char c : text.substr(negative ? 1 : 0)) {
        n = n * 10 + (c - '0');
    }
    n = negative ? -n : n;
    if (n < min || n > max) {
        return false;
    }
    value = n;
    return true;
}

}  // namespace nt
