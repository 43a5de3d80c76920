#pragma once

#include <string>
#include <string_view>

#include "front/Answer.h"
#include "pads/PadTree.h"
#include "platform/Form.h"

namespace nt {

// Scenario lines as the reader takes them back; texts are Windows-1252 and come out UTF-8 with
// the language's escapes.

// "set ID TEXT".
std::string SetLine(int id, std::string_view text);
// What a click on control `id` did: "click ID" when the window logic handles it; a check box or
// radio button it does not handle as "check ID" / "uncheck ID" by the state the click left, so
// a replay gets the state whatever it started from.
std::string ClickLine(const Form& form, int id, bool handled);
// "select PADTYPE" when that finds `node` again, otherwise "select-node TEXT".
std::string SelectLine(const PadTree& tree, int node);
// "answer KEYWORD [TEXT]"; fields are joined with '|'.
std::string AnswerLine(const Answer& answer);

// Controls whose text the operator types: the ones a recording writes as "set".
bool TypedText(int id);

}  // namespace nt
