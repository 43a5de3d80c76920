#pragma once

#include <optional>
#include <string>

#include "app/CommandLine.h"

namespace nt {

// Why an output the command line names cannot be written, checked before start-up: it is one of
// the program's own files (also through a link or another spelling), the same file as another
// output, or an input of the run (the scenario, the plugin, a record --compare or --merge reads).
// nullopt when every output will do.
std::optional<std::string> OutputPathFault(const CommandLine& commandLine);

}  // namespace nt
