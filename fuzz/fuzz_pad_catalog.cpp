// The pad catalog from any pad types information: the tree is a proper three-level catalog under
// its root, every leaf carries its record, and the remembered pad type is selected when listed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FuzzWindow.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"

namespace {

using Window = nt::fuzz::FuzzWindow<>;

Window* g_window = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_window = &Window::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string saved = in.ConsumeRandomLengthString(24);
    const std::string info = in.ConsumeRemainingBytesAsString();
    nt::CTestPosDlg& dlg = *g_window->dlg;
    dlg.padCatalog().BuildPadCatalog(info, saved);

    const nt::PadTree& tree = dlg.padCatalog().padTree();
    if (tree.Roots().size() != 1) {
        std::abort();
    }
    size_t leaves = 0;
    for (int node : tree.TreeOrder()) {
        int depth = 0;
        for (int p = tree.Parent(node); p != nt::PadTree::kNone; p = tree.Parent(p)) {
            ++depth;
        }
        const bool leaf = tree.Children(node).empty() && depth == 3;
        if (depth > 3 || (depth == 3) != (tree.Data(node) != nullptr)) {
            std::abort();  // only the third level holds pad types, and each one has its record
        }
        if (leaf && tree.Data(node)->padTypeId.empty()) {
            std::abort();
        }
        leaves += leaf ? 1 : 0;
    }
    if (leaves != dlg.padCatalog().padRecords().size()) {
        std::abort();
    }
    const int selected = tree.Selected();
    if (selected != nt::PadTree::kNone && tree.Data(selected) == nullptr) {
        std::abort();  // only a pad type can be selected
    }
    if (!saved.empty() && tree.FindLeaf(saved) != nt::PadTree::kNone &&
        (selected == nt::PadTree::kNone || tree.Data(selected)->padTypeId != saved)) {
        std::abort();  // a remembered pad type that is listed comes back selected
    }
    return 0;
}
