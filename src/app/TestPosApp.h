#pragma once

#include <functional>
#include <string>

#include "app/TestPosDlg.h"

namespace nt {

// The application object: creates the main window over a form and an operator and runs it.
class CTestPosApp {
  public:
    // control: "sim" for the built-in simulated payment client, otherwise a plugin's path.
    explicit CTestPosApp(std::string control) : control_(std::move(control)) {}

    // Start-up of the main window, then `modal` while it is open (the window's event loop, or a
    // scenario); a window still open afterwards is shut down. Returns the start-up result.
    bool InitInstance(Form& drawn, Operator& op, const std::function<void(CTestPosDlg&)>& modal);

  private:
    std::string control_;
};

}  // namespace nt
