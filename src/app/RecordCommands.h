#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace nt {

// --compare or --merge as the command line asks: reads the records it names and writes the
// reports it asks for; no window, no payment client, no folder lock. Its exit status (see
// RunCompare and RunMerge). The outputs are checked by the caller first.
int RunRecordCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace nt
