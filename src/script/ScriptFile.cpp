#include "script/ScriptFile.h"

#include "platform/TextFile.h"

namespace nt {

std::optional<std::string> ReadScriptFile(const std::string& path) {
    return ReadWholeFile(path);
}

std::vector<std::string_view> ScriptLines(std::string_view content) {
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (end == std::string_view::npos) {
            lines.push_back(line);
            break;
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        content.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace nt
