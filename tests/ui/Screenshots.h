#pragma once

namespace nt::test {

// Draws the main window, the request editor and the response of a Sale and the receipt dialog
// into DIR (main-window.png, edit-xml-request.png, response.png, receipt-info.png), for the
// documentation; in French only the main window (main-window-fr.png). Returns the process exit
// status.
int WriteScreenshots(const char* dir, bool french = false);

}  // namespace nt::test
