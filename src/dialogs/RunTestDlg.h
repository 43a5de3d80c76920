#pragma once

#include <string>

namespace nt {

// The test case prompt of the script runner ("Run Script"): do, skip or stop.
class CRunTestDlg {
  public:
    static constexpr int kDo = 1;
    static constexpr int kSkip = 2;
    static constexpr int kStop = 3;

    int m_choice = 0;
    std::string m_message;

    void OnOK() { m_choice = kDo; }
    void OnCancel() { m_choice = kSkip; }
    void OnStopScript() { m_choice = kStop; }
};

}  // namespace nt
