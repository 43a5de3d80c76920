#pragma once

namespace nt::test {

// Draws the main window and the receipt dialog into DIR/main-window.png and
// DIR/receipt-info.png, for the documentation. Returns the process exit status.
int WriteScreenshots(const char* dir);

}  // namespace nt::test
