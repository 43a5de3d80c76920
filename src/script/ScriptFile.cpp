#include "script/ScriptFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nt {

std::optional<std::string> ReadScriptFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || ::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    if (st.st_size > 0) {
        content.reserve(static_cast<size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // a read error ends the file where it happened, as text mode does
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return content;
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
