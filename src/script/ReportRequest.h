#pragma once

#include <string>

namespace nt {

// The report formats a script run can be written in.
enum class ReportFormat { JUnit, Html, Results };

// One report a run asks for: the format, and the file it goes to.
struct ReportRequest {
    ReportFormat format = ReportFormat::JUnit;
    std::string path;

    bool operator==(const ReportRequest&) const = default;
};

}  // namespace nt
