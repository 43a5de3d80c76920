#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "UiTestSupport.h"
#include "app/TestPosDlg.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"

namespace nt::test {

// The main window started up as the program does, in a fresh working directory, with a payment
// client present, shown on the offscreen screen and forwarding to its window logic.
class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        dlg_ = std::make_unique<CTestPosDlg>(form_, op_, QuietClientFactory());
        ASSERT_TRUE(dlg_->OnInitDialog());
        window_.Attach(*dlg_);
        window_.show();
    }

    template <class T = QWidget>
    T* Control(int id) {
        auto* w = qobject_cast<T*>(window_.Control(id));
        EXPECT_NE(w, nullptr) << "control " << id;
        return w;
    }

    TempDir dir_;
    MainWindow window_;
    CountingOperator op_{&window_};
    QtForm form_{window_.Controls()};
    std::unique_ptr<CTestPosDlg> dlg_;
};

}  // namespace nt::test
