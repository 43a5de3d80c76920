#include "front/Answer.h"

namespace nt {

const char* AnswerKeyword(AnswerKind kind) {
    switch (kind) {
        case AnswerKind::Ok:
            return "ok";
        case AnswerKind::Cancel:
            return "cancel";
        case AnswerKind::Yes:
            return "yes";
        case AnswerKind::No:
            return "no";
        case AnswerKind::Text:
            return "text";
        case AnswerKind::Fields:
            return "fields";
        case AnswerKind::Pick:
            return "pick";
        case AnswerKind::Do:
            return "do";
        case AnswerKind::Skip:
            return "skip";
        case AnswerKind::Stop:
            return "stop";
    }
    return "?";
}

}  // namespace nt
