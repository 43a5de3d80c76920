#include "script/ScriptFile.h"

#include <algorithm>

#include "platform/TextFile.h"

namespace nt {

std::optional<std::string> ReadScriptFile(const std::string& path, int* longLine) {
    int first = 0;
    std::optional<std::string> content = ReadLinesBounded(path, kMaxScriptLineBytes, first);
    if (longLine != nullptr) {
        *longLine = first;
    }
    return content;
}

int LoneCarriageReturnLine(std::string_view content) {
    for (size_t cr = content.find('\r'); cr != std::string_view::npos;
         cr = content.find('\r', cr + 1)) {
        if (cr + 1 == content.size() || content[cr + 1] != '\n') {
            const auto before = content.substr(0, cr);
            return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
        }
    }
    return 0;
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
