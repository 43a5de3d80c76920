#pragma once

namespace nt::test {

// Draws the main window, the request editor and the response of a Sale and the receipt dialog
// into DIR (main-window.png, edit-xml-request.png, response.png, receipt-info.png), for the
// documentation. Returns the process exit status.
int WriteScreenshots(const char* dir);

}  // namespace nt::test
