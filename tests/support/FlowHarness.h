#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "support/DailyLog.h"
#include "support/FlowOperator.h"
#include "support/ScriptedClient.h"
#include "support/TempDir.h"

namespace nt::test {

// A started window over a scripted client, in a temporary current directory.
struct FlowHarness {
    TempDir dir;
    std::shared_ptr<ClientScript> script = std::make_shared<ClientScript>();
    MemoryForm form;
    FlowOperator op;
    std::unique_ptr<CTestPosDlg> dlg;

    explicit FlowHarness(bool withControl = true);
    std::string DailyLog() { return test::DailyLog(); }
    void Reply(const std::string& text) { script->replies.push_back(ClientReply{0, text, {}}); }
};

}  // namespace nt::test
