#pragma once

#include <string>

#include "dialogs/Operator.h"

namespace nt {

// The "Please Wait . . ." window of a running command. While it exists the main window takes no
// input; it goes away, and the main window is enabled again, on every way out of its scope.
class CWaitDlg {
  public:
    explicit CWaitDlg(Operator& op) : op_(op) {}
    CWaitDlg(const CWaitDlg&) = delete;
    CWaitDlg& operator=(const CWaitDlg&) = delete;
    ~CWaitDlg() {
        if (shown_) {
            op_.HideWait();
        }
    }

    bool Create() {
        if (!shown_) {
            op_.ShowWait();
            shown_ = true;
        }
        return true;
    }
    void SetMessage(const std::string& message) { op_.SetWaitMessage(message); }

  private:
    Operator& op_;
    bool shown_ = false;
};

}  // namespace nt
