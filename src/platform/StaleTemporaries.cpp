#include "platform/StaleTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string_view>

#include "platform/WriteTarget.h"

namespace nt {

namespace {

constexpr std::string_view kTag = ".nordteller-";
constexpr std::string_view kSuffix = ".tmp";

// The target's name when `entry` is a name mkstemps makes from TemporaryPattern, else empty.
std::string_view TargetName(std::string_view entry) {
    const size_t fixed = 1 + kTag.size() + 6 + kSuffix.size();
    if (entry.size() <= fixed || !entry.starts_with('.') || !entry.ends_with(kSuffix)) {
        return {};
    }
    const std::string_view name = entry.substr(1, entry.size() - fixed);
    if (entry.substr(1 + name.size(), kTag.size()) != kTag) {
        return {};
    }
    for (char c : entry.substr(1 + name.size() + kTag.size(), 6)) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return {};
        }
    }
    return name;
}

bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    return !name.empty() && TargetName(entry) == name;
}

void SplitPath(const std::string& path, std::string& dir, std::string& name) {
    const size_t slash = path.rfind('/');
    dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string TemporaryPattern(const std::string& path) {
    std::string dir;
    std::string name;
    SplitPath(path, dir, name);
    return dir + "." + name + std::string(kTag) + "XXXXXX" + std::string(kSuffix);
}

std::string TemporaryNameBeside(const std::string& path) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 draw{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
    std::string name = TemporaryPattern(path);
    const size_t letters = name.size() - kTemporarySuffixLength - 6;
    for (size_t i = letters; i < letters + 6; ++i) {
        name[i] = kAlphabet[pick(draw)];
    }
    return name;
}

std::string TemporaryTarget(const std::string& path) {
    std::string dir;
    std::string name;
    SplitPath(path, dir, name);
    const std::string_view target = TargetName(name);
    return target.empty() ? path : dir + std::string(target);
}

int CreateTemporaryBeside(const std::string& path, std::string& name) {
    name = TemporaryPattern(path);
    return ::mkostemps(name.data(), kTemporarySuffixLength, O_CLOEXEC);
}

int RemoveStaleTemporaries(const std::string& path, int64_t minAgeSeconds) {
    std::string dir;
    std::string name;
    SplitPath(WriteTarget(path).value_or(path), dir, name);
    DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
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
