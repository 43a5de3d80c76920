#pragma once

#include <string>

#include "front/RunInfo.h"

namespace nt {

// Runs the program with its Qt window; returns the process exit status.
// With run.runScript, Script.csv is run as soon as the window shows. With a record path, the
// operator's actions are written there from start-up on; a path that cannot be written is refused
// before start-up (status 2), as are the reports of the run.
// Every script run of the window writes each report the run asks for.
// The window speaks `language` ("en", "fr"; empty: NORDTELLER_LANGUAGE or the locale's).
int RunWindowApp(int argc, char** argv, const RunInfo& run, const std::string& record = {},
                 const std::string& language = {});

}  // namespace nt
