#pragma once

#include <filesystem>
#include <memory>

#include "ScratchDirectory.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "support/SilentOperator.h"
#include "log/LogWriter.h"

namespace nt::fuzz {

// The main window started over an in-memory form in a scratch directory, without a payment
// client, kept for the whole fuzzing run.
template <class OperatorType = nt::SilentOperator>
struct FuzzWindow {
    MemoryForm form;
    OperatorType op;
    std::unique_ptr<CTestPosDlg> dlg;

    static FuzzWindow& Start() {
        EnterScratchDirectory();
        auto* window = new FuzzWindow;  // kept until the process ends
        window->dlg = std::make_unique<CTestPosDlg>(window->form, window->op, nullptr);
        window->dlg->OnInitDialog();
        // Without its directory the log writer stops at its next pass: nothing piles up on disk.
        GetLogWriter().Flush();
        std::filesystem::remove_all(kLogDirectory);
        return *window;
    }
};

}  // namespace nt::fuzz
