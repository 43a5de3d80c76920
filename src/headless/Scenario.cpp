#include "headless/Scenario.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "codes/TranCodes.h"
#include "form/Controls.h"
#include "platform/Codepage.h"
#include "platform/QuotedInput.h"

namespace nt {

namespace {

// The word up to the next blank, and what follows that blank; nullopt rest when no blank.
struct Split {
    std::string_view word;
    std::optional<std::string_view> rest;
};

Split SplitWord(std::string_view s) {
    size_t blank = s.find(' ');
    if (blank == std::string_view::npos) {
        return {s, std::nullopt};
    }
    return {s.substr(0, blank), s.substr(blank + 1)};
}

bool OnlyWhitespace(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

// The value of "HH", two hex digits, at the start of `s`.
std::optional<unsigned char> HexByte(std::string_view s) {
    unsigned value = 0;
    if (s.size() < 2 || std::from_chars(s.data(), s.data() + 2, value, 16).ptr != s.data() + 2) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(value);
}

// TEXT: escapes resolved, then converted to the core's code page.
std::optional<std::string> DecodeText(std::string_view raw, std::string& reason) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
        switch (next) {
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case '\\':
                out += '\\';
                break;
            case 'x':
                if (std::optional<unsigned char> code = HexByte(raw.substr(i + 2))) {
                    if (*code < 0x80) {
                        out += static_cast<char>(*code);
                    } else {  // U+0080..U+00FF as UTF-8, like the rest of the line
                        out += static_cast<char>(0xC0 | (*code >> 6));
                        out += static_cast<char>(0x80 | (*code & 0x3F));
                    }
                    i += 2;
                    break;
                }
                [[fallthrough]];
            default:
                reason = i + 1 < raw.size() ? "bad escape " + QuoteInput(raw.substr(i, 2))
                                            : "bad escape: '\\' at the end of the line";
                return std::nullopt;
        }
        ++i;
    }
    return Utf8ToCp1252(out);
}

std::optional<int> ParseControlId(std::string_view word, std::string& reason) {
    int id = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), id);
    bool digits = !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digits || ec != std::errc() || end != word.data() + word.size() ||
        FindControl(id) == nullptr) {
        reason = "unknown identifier " + QuoteInput(word);
        return std::nullopt;
    }
    return id;
}

bool IsGiftTranCode(const std::string& tranCode) {
    const TranCodeSpec* spec = FindTranCode(tranCode);
    return spec != nullptr && spec->giftButton != 0;
}

bool ParseAnswer(std::string_view args, Answer& answer, std::string& reason) {
    static constexpr AnswerKind kPlain[] = {AnswerKind::Ok,  AnswerKind::Cancel, AnswerKind::Yes,
                                            AnswerKind::No,  AnswerKind::Do,     AnswerKind::Skip,
                                            AnswerKind::Stop};
    Split s = SplitWord(args);
    for (AnswerKind kind : kPlain) {
        if (s.word == AnswerKeyword(kind)) {
            if (s.rest && !OnlyWhitespace(*s.rest)) {
                reason = "unexpected text after 'answer " + std::string(s.word) + "'";
                return false;
            }
            answer.kind = kind;
            return true;
        }
    }
    std::optional<std::string> text = DecodeText(s.rest.value_or(""), reason);
    if (!text) {
        return false;
    }
    if (s.word == "text") {
        answer = {AnswerKind::Text, *text, {}};
    } else if (s.word == "pick") {
        if (!IsGiftTranCode(*text)) {
            reason = "no gift card button picks " + QuoteInput(s.rest.value_or(""));
            return false;
        }
        answer = {AnswerKind::Pick, *text, {}};
    } else if (s.word == "fields") {
        size_t first = text->find('|');
        size_t second = first == std::string::npos ? first : text->find('|', first + 1);
        if (second == std::string::npos || text->find('|', second + 1) != std::string::npos) {
            reason = "answer fields needs three values A|B|C";
            return false;
        }
        answer = {AnswerKind::Fields,
                  "",
                  {text->substr(0, first), text->substr(first + 1, second - first - 1),
                   text->substr(second + 1)}};
    } else {
        reason = "unknown answer " + QuoteInput(s.word);
        return false;
    }
    return true;
}

bool Checkable(int id) {
    ControlKind kind = FindControl(id)->kind;
    return kind == ControlKind::CheckBox || kind == ControlKind::Radio;
}

bool ParseLine(std::string_view line, Action& action, std::string& reason) {
    Split s = SplitWord(line);
    std::string_view verb = s.word;
    std::string_view args = s.rest.value_or("");
    if (verb == "set" || verb == "check" || verb == "uncheck" || verb == "click") {
        Split target = SplitWord(args);
        std::optional<int> id = ParseControlId(target.word, reason);
        if (!id) {
            return false;
        }
        action.id = *id;
        if (verb == "set") {
            if (FindControl(*id)->kind == ControlKind::Tree) {
                reason = "control 1203 has no text to set";
                return false;
            }
            std::optional<std::string> text = DecodeText(target.rest.value_or(""), reason);
            action.kind = ActionKind::Set;
            action.text = text.value_or("");
            return text.has_value();
        }
        if (target.rest && !OnlyWhitespace(*target.rest)) {
            reason = "unexpected text after '" + std::string(verb) + " " +
                     std::string(target.word) + "'";
            return false;
        }
        if (verb != "click" && !Checkable(*id)) {
            reason = "control " + std::to_string(*id) + " is not a check box or radio button";
            return false;
        }
        action.kind = verb == "check"     ? ActionKind::Check
                      : verb == "uncheck" ? ActionKind::Uncheck
                                          : ActionKind::Click;
        return true;
    }
    if (verb == "select" || verb == "select-node") {
        std::optional<std::string> text = DecodeText(args, reason);
        action.kind = verb == "select" ? ActionKind::Select : ActionKind::SelectNode;
        action.text = text.value_or("");
        return text.has_value();
    }
    if (verb == "answer") {
        action.kind = ActionKind::Answer;
        return ParseAnswer(args, action.answer, reason);
    }
    if (verb == "dump") {
        if (!OnlyWhitespace(args)) {
            reason = "unexpected text after 'dump'";
            return false;
        }
        action.kind = ActionKind::Dump;
        return true;
    }
    reason = "unknown action " + QuoteInput(verb);
    return false;
}

}  // namespace

Scenario ParseScenario(std::string_view utf8) {
    Scenario scenario;
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (utf8.substr(0, kBom.size()) == kBom) {
        utf8.remove_prefix(kBom.size());
    }
    int number = 0;
    while (!utf8.empty()) {
        ++number;
        // A line ends at LF, CR LF or a CR alone (old Mac files), and at the end of the file.
        size_t end = utf8.find_first_of("\r\n");
        std::string_view line = utf8.substr(0, end);
        size_t next = end == std::string_view::npos ? utf8.size() : end + 1;
        if (end != std::string_view::npos && utf8[end] == '\r' && next < utf8.size() &&
            utf8[next] == '\n') {
            ++next;
        }
        utf8.remove_prefix(next);
        if (OnlyWhitespace(line) || line.front() == '#') {
            continue;
        }
        Action action;
        action.line = number;
        std::string reason;
        if (!ParseLine(line, action, reason)) {
            scenario.error = ScenarioError{number, reason};
            return scenario;
        }
        scenario.actions.push_back(std::move(action));
    }
    return scenario;
}

bool ReadScenarioText(const std::string& path, std::string& text, std::string& error) {
    bool fromStdin = path == "-";
    std::FILE* file = fromStdin ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        const int openErrno = errno;
        error = "cannot read scenario " + QuoteInput(path) + ": " + std::strerror(openErrno);
        return false;
    }
    text.clear();
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
    }
    bool failed = std::ferror(file) != 0;
    int readErrno = errno;
    if (!fromStdin) {
        std::fclose(file);
    }
    if (failed) {
        error = "cannot read scenario " + QuoteInput(path) + ": " + std::strerror(readErrno);
        return false;
    }
    return true;
}

std::string FormatScenarioError(const ScenarioError& error) {
    return "nordteller: scenario line " + std::to_string(error.line) + ": " + error.reason;
}

}  // namespace nt
