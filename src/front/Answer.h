#pragma once

#include <array>
#include <string>

namespace nt {

// One queued answer of a scenario: the keyword and, for text, fields and pick, its values
// (Windows-1252).
enum class AnswerKind { Ok, Cancel, Yes, No, Text, Fields, Pick, Do, Skip, Stop };

struct Answer {
    AnswerKind kind = AnswerKind::Ok;
    std::string text;                   // text: the new request; pick: the TranCode
    std::array<std::string, 3> fields;  // fields: A|B|C
};

// The keyword as a scenario spells it ("ok", "fields", ...).
const char* AnswerKeyword(AnswerKind kind);

}  // namespace nt
