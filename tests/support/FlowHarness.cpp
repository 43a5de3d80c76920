#include "support/FlowHarness.h"

#include <filesystem>

#include "log/LogWriter.h"
#include "pos/SequenceStore.h"
#include "transaction/CommandFlow.h"

namespace nt::test {

FlowHarness::FlowHarness(bool withControl) {
    GetLogWriter().Flush();
    PaymentClientFactory factory;
    if (withControl) {
        factory = [s = script](std::string&) -> std::unique_ptr<PaymentClient> {
            return std::make_unique<ScriptedClient>(s);
        };
    }
    dlg = std::make_unique<CTestPosDlg>(form, op, factory);
    dlg->OnInitDialog();
    op.transcript.clear();
    op.messages.clear();
}

std::string FlowHarness::DailyLog() {
    GetLogWriter().Flush();
    std::string all;
    for (const auto& e : std::filesystem::directory_iterator("QUORLIN_LOGS")) {
        if (e.path().filename().string().starts_with("CAN")) {
            all += ReadFile(e.path().string());
        }
    }
    return all;
}

std::vector<std::string> FlowHarness::LogEntries() {
    std::string log = DailyLog();
    std::string text;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log.compare(i, 2, "\r\n") == 0) {
            text += '\n';
            ++i;
        } else {
            text += log[i];
        }
    }
    std::vector<std::string> entries;
    const std::string separator = "\n----------\n";
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size()) {
        entries.push_back(text.substr(start + 10, end - start - 10));  // "[HH:MM:SS]" dropped
    }
    return entries;
}

std::string Response(const std::string& sequenceNo, const std::string& elements) {
    return "<?xml version=\"1.0\"?>\r\n<TStream>\r\n<CmdResponse><CmdStatus>Approved</CmdStatus>"
           "<SequenceNo>" +
           sequenceNo + "</SequenceNo></CmdResponse>\r\n<TranResponse>" + elements +
           "</TranResponse>\r\n</TStream>\r\n";
}

}  // namespace nt::test
