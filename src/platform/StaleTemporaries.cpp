#include "platform/StaleTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <ctime>
#include <string_view>

namespace nt {

namespace {

// The names mkstemp makes from "<name>.XXXXXX".
bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + 7 || !entry.starts_with(name) || entry[name.size()] != '.') {
        return false;
    }
    for (char c : entry.substr(name.size() + 1)) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

int RemoveStaleTemporaries(const std::string& path, int64_t minAgeSeconds) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* listing = ::opendir(dir.c_str());
    if (listing == nullptr) {
        return 0;
    }
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryOf(entry->d_name, name)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
            now - static_cast<int64_t>(info.st_mtime) < minAgeSeconds) {
            continue;
        }
        removed += ::unlinkat(::dirfd(listing), entry->d_name, 0) == 0 ? 1 : 0;
    }
    ::closedir(listing);
    return removed;
}

}  // namespace nt
