#pragma once

namespace nt {

// Opens /dev/null on each of standard input, output and error that the program was started
// with closed. Called first thing: otherwise the next file opened (the folder lock) would take
// the closed descriptor, and the scenario would be read from it or the transcript written into it.
void OpenClosedStandardStreams();

}  // namespace nt
