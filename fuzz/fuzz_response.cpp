// A whole command's response step: HandleResponse of a started window over an in-memory form.
// Any text is taken over or refused; a refused text (not XML) changes nothing.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FuzzWindow.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"
#include "pos/SequenceStore.h"

namespace {

using Window = nt::fuzz::FuzzWindow<>;

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
    g_window = &Window::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Window& w = *g_window;
    w.dlg->posState().PosSequenceNo = nt::kDefaultSequenceNo;
    const std::vector<std::string> before = Texts(w.form);
    const bool taken =
        w.dlg->responses().HandleResponse(std::string(reinterpret_cast<const char*>(data), size));
    if (!taken &&
        (Texts(w.form) != before || w.dlg->posState().PosSequenceNo != nt::kDefaultSequenceNo)) {
        std::abort();
    }
    return 0;
}
