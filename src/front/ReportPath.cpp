#include "front/ReportPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/OwnedFiles.h"
#include "platform/DataFolder.h"
#include "script/ScriptFile.h"

namespace nt {

namespace {

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
