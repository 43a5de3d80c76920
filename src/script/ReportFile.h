#pragma once

#include <string>

#include "script/TestCaseSink.h"

namespace nt {

// A report written to a file as the test cases of a run finish, whatever its format.
class ReportFile : public TestCaseSink {
  public:
    // Before the run: false when the file cannot be written there (see Error).
    virtual bool Open(const std::string& path) = 0;
    // True once the report of the last run is in place.
    virtual bool Written() const = 0;
    // The system's reason when opening or writing failed.
    virtual const std::string& Error() const = 0;
};

}  // namespace nt
