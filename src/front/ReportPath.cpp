#include "front/ReportPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/DataFolder.h"
#include "script/ScriptFile.h"

namespace nt {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    std::error_code ec;
    const auto ca = std::filesystem::weakly_canonical(a, ec);
    const auto cb = std::filesystem::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

std::string CannotWrite(const std::string& path, int error) {
    return "cannot write the report '" + path + "': " + std::strerror(error);
}

}  // namespace

std::optional<std::string> ReportPathFault(const std::string& path) {
    if (SameFile(path, kScriptFileName)) {
        return "the report '" + path + "' would overwrite the test script " + kScriptFileName;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return CannotWrite(path, EISDIR);
    }
    if (::access(FolderOf(path).c_str(), W_OK | X_OK) != 0) {
        return CannotWrite(path, errno);
    }
    return std::nullopt;
}

std::optional<std::string> ReportPathFault(const std::vector<ReportRequest>& reports) {
    for (const ReportRequest& report : reports) {
        if (std::optional<std::string> fault = ReportPathFault(report.path)) {
            return fault;
        }
    }
    return std::nullopt;
}

}  // namespace nt
