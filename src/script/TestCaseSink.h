#pragma once

#include <cstdint>
#include <memory>

#include "platform/Clock.h"
#include "script/TestCaseRecord.h"

namespace nt {

// A finished test case, shared by the sinks it goes to: a sink that writes it later (on a thread
// of its own) keeps it without a copy.
using SharedTestCase = std::shared_ptr<const TestCaseRecord>;

// Where the test cases of a script run go as they finish (a report file being written): each
// is handed over once, judged, and not changed afterwards.
class TestCaseSink {
  public:
    virtual ~TestCaseSink() = default;
    virtual void OnRunStarted(const LocalTime& started) = 0;
    virtual void OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) = 0;
    // The run's totals; the last call. Not made when the script could not be opened.
    virtual void OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) = 0;
};

}  // namespace nt
