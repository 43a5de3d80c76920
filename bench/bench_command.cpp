// A Sale end to end in headless mode against the simulated payment client: compose, log, send,
// process, save the sequence number; beside the bare save of the sequence file.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "BenchSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"
#include "log/LogWriter.h"
#include "platform/TextFile.h"
#include "pos/SequenceStore.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nt;
    const int commands = argc > 1 ? std::atoi(argv[1]) : 3000;
    const std::string dir = nt::bench::EnterTemporaryDirectory("nordteller-bench");
    if (dir.empty()) {
        return 1;
    }
    for (int round = 1; round <= 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < commands; ++i) {
            WriteFileAtomic(kSequenceFileName, "0010010010");
        }
        const double saveRate = commands / Seconds(start);

        std::ostringstream sink;
        Transcript transcript(sink);
        ScriptedOperator op(transcript);
        MemoryForm form;
        CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
        dlg.OnInitDialog();
        dlg.form().SetText(id::kAmount, "1000");
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < commands; ++i) {
            dlg.OnCommand(id::kSale);
        }
        GetLogWriter().Flush();
        const double commandRate = commands / Seconds(start);
        std::printf(
            "round %d: %d Sales end to end: %.0f commands/s; bare sequence file save: "
            "%.0f saves/s; ratio %.2f\n",
            round, commands, commandRate, saveRate, commandRate / saveRate);
        dlg.OnCancel();
    }
    std::filesystem::remove_all(dir);
    return 0;
}
