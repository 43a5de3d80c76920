#pragma once

#include <cstdint>

#include "platform/Clock.h"
#include "script/TestCaseRecord.h"

namespace nt {

// Where the test cases of a script run go as they finish (a report file being written): each
// is handed over once, judged, and not kept by the caller afterwards.
class TestCaseSink {
  public:
    virtual ~TestCaseSink() = default;
    virtual void OnRunStarted(const LocalTime& started) = 0;
    virtual void OnTestCase(const TestCaseRecord& testCase, const Verdict& verdict) = 0;
    // The run's totals; the last call. Not made when the script could not be opened.
    virtual void OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) = 0;
};

}  // namespace nt
