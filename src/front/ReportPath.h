#pragma once

#include <optional>
#include <string>
#include <vector>

#include "script/ReportRequest.h"

namespace nt {

// Why a report cannot go to `path`, checked before any command runs so that a run never ends
// with its report lost: the path names the test script itself (also through a link or another
// spelling), is a directory, or lies in a folder that is missing or cannot be written (the
// system's reason). nullopt when the path will do.
std::optional<std::string> ReportPathFault(const std::string& path);
// The same for every report a run asks for: the first that will not do.
std::optional<std::string> ReportPathFault(const std::vector<ReportRequest>& reports);

}  // namespace nt
