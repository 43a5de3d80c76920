// A whole command's response step: HandleResponse of a started window over an in-memory form.
// Any text is taken over or refused; a refused text (not XML) changes nothing.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SilentOperator.h"
#include "app/Controls.h"
#include "app/SequenceStore.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"

namespace {

struct Window {
    nt::MemoryForm form;
    nt::fuzz::SilentOperator op;
    std::unique_ptr<nt::CTestPosDlg> dlg;
};

Window* g_window = nullptr;

std::vector<std::string> Texts(const nt::MemoryForm& form) {
    std::vector<std::string> texts;
    for (const nt::ControlSpec& c : nt::MainWindowControls()) {
        texts.push_back(form.Text(c.id));
    }
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    nt::fuzz::EnterScratchDirectory();
    g_window = new Window;
    g_window->dlg = std::make_unique<nt::CTestPosDlg>(g_window->form, g_window->op, nullptr);
    g_window->dlg->OnInitDialog();
    // Without its directory the log writer stops at its next pass: nothing piles up on disk.
    nt::GetLogWriter().Flush();
    std::filesystem::remove_all(nt::kLogDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Window& w = *g_window;
    nt::PosSequenceNo = nt::kDefaultSequenceNo;
    const std::vector<std::string> before = Texts(w.form);
    const bool taken =
        w.dlg->HandleResponse(std::string(reinterpret_cast<const char*>(data), size));
    if (!taken && (Texts(w.form) != before || nt::PosSequenceNo != nt::kDefaultSequenceNo)) {
        std::abort();
    }
    return 0;
}
