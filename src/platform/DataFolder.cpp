#include "platform/DataFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace nt {

namespace {

std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

}  // namespace

std::string UserDataFolder() {
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    std::string base = AbsoluteEnv("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = AbsoluteEnv("HOME");
        if (home.empty()) {
            return "";
        }
        base = home + "/.local/share";
    }
    return base + "/nordteller";
}

bool EnterFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = "no data folder: neither XDG_DATA_HOME nor HOME is set";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create '" + folder + "': " + ec.message();
        return false;
    }
    if (::chdir(folder.c_str()) != 0) {
        error = "cannot enter '" + folder + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace nt
