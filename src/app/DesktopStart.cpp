#include "app/DesktopStart.h"

#include <filesystem>
#include <system_error>

#include "platform/DataFolder.h"

namespace nt {

namespace {

void Anchor(std::string& path) {
    if (path.empty()) {
        return;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (!ec) {
        path = absolute.string();
    }
}

}  // namespace

bool EnterDesktopFolder(CommandLine& commandLine, std::string& error) {
    if (commandLine.scenario != "-") {  // standard input
        Anchor(commandLine.scenario);
    }
    for (ReportRequest& report : commandLine.reports) {
        Anchor(report.path);
    }
    Anchor(commandLine.record);
    if (commandLine.control != "sim") {
        Anchor(commandLine.control);
    }
    return EnterFolder(UserDataFolder(), error);
}

}  // namespace nt
