#pragma once

namespace nt {

// Writes out everything queued for the log files before the program ends on its own terms.
void DrainLogWriter();

}  // namespace nt
