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

// The format as a run's record names it ("junit", "html", "results").
constexpr const char* ReportFormatName(ReportFormat format) {
    switch (format) {
        case ReportFormat::JUnit:
            return "junit";
        case ReportFormat::Html:
            return "html";
        case ReportFormat::Results:
            return "results";
    }
    return "unknown";
}

}  // namespace nt
