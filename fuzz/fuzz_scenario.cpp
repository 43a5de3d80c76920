// The scenario reader: any text is read or refused with a reason and a line number inside it.
#include <cstdlib>
#include <string_view>

#include "headless/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const nt::Scenario scenario = nt::ParseScenario(text);
    size_t lines = 1;  // LF, CR LF and a CR alone each end a line
    for (size_t i = 0; i < text.size(); ++i) {
        lines +=
            text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
                ? 1
                : 0;
    }
    if (scenario.error) {
        if (scenario.error->reason.empty() || scenario.error->line < 1 ||
            static_cast<size_t>(scenario.error->line) > lines) {
            std::abort();
        }
        if (nt::FormatScenarioError(*scenario.error).find('\n') != std::string::npos) {
            std::abort();  // one line on standard error
        }
    }
    int previous = 0;
    for (const nt::Action& action : scenario.actions) {
        if (action.line <= previous || static_cast<size_t>(action.line) > lines) {
            std::abort();  // actions come in line order, one per line
        }
        previous = action.line;
    }
    return 0;
}
