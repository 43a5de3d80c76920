#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "front/Answer.h"

namespace nt {

enum class ActionKind { Set, Check, Uncheck, Click, Select, SelectNode, Answer, Dump };

// One line of a scenario. Texts are Windows-1252, escapes already resolved.
struct Action {
    int line = 0;
    ActionKind kind = ActionKind::Dump;
    int id = 0;        // set, check, uncheck, click: a control of the main window
    std::string text;  // set: the text; select: the pad type; select-node: the node text
    Answer answer;     // answer
};

// A line that cannot be carried out, and why.
struct ScenarioError {
    int line = 0;
    std::string reason;
};

struct Scenario {
    std::vector<Action> actions;
    std::optional<ScenarioError> error;  // the first bad line; nothing after it is read
};

// Reads a whole scenario (UTF-8): every line is checked before anything runs.
Scenario ParseScenario(std::string_view utf8);

// The whole content of a scenario file, "-" for standard input. False with a one-line reason
// when it cannot be read.
bool ReadScenarioText(const std::string& path, std::string& text, std::string& error);

// "nordteller: scenario line N: REASON".
std::string FormatScenarioError(const ScenarioError& error);

}  // namespace nt
