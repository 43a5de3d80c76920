#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "front/RunInfo.h"
#include "script/ReportFile.h"
#include "script/ScriptReport.h"

namespace nt {

// The writer of a report format: the one place a format meets its writer.
std::unique_ptr<ReportFile> MakeReportWriter(ReportFormat format, const RunInfo& run);

// A report that cannot be written: its path, and the system's reason.
struct ReportFault {
    std::string path;
    std::string why;
};

// The reports a run asks for, each by the writer of its format, in the order asked for.
class ReportWriters {
  public:
    explicit ReportWriters(const RunInfo& run);

    bool Empty() const { return writers_.empty(); }
    // Before the run: the first report whose file cannot be written, or nullopt.
    std::optional<ReportFault> Open();
    // Every report takes the test cases `report` judges; each must be open.
    void AddTo(ScriptReport& report);
    // After a run: the first report not in place, or nullopt.
    std::optional<ReportFault> Unwritten() const;

  private:
    struct Writer {
        std::string path;
        std::unique_ptr<ReportFile> file;
    };
    std::vector<Writer> writers_;
};

}  // namespace nt
