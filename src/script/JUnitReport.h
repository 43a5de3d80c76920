#pragma once

#include <string>

#include "platform/StreamedFile.h"
#include "script/ReportFile.h"

namespace nt {

// The run as a JUnit XML report (UTF-8), written as test cases finish: one <testsuite> named
// "Script.csv" with the counts, the run's time and start; one <testcase> per runnable row, named
// by TestCaseName, with its file line, time, a <failure> listing every reason or a <skipped>,
// and a <system-out> holding the request as sent, the response, the receipt file and the time
// taken. The file appears in one step when the run ends; until then it is as it was.
class JUnitReport : public ReportFile {
  public:
    // Before the run: false when the report's folder cannot take it (see Error).
    bool Open(const std::string& path) override { return file_.Open(path); }
    bool Written() const override { return written_; }
    const std::string& Error() const override { return file_.Error(); }

    void OnRunStarted(const LocalTime& started) override { started_ = started; }
    void OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) override;
    void OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) override;

  private:
    StreamedFile file_;
    LocalTime started_;
    bool written_ = false;
};

}  // namespace nt
