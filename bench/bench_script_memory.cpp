// Peak resident memory and speed of unattended script runs with the JUnit and HTML reports and
// the JSON record, against the simulated payment client: each size runs in a process of its own
// (forked before any window exists), so each peak is that run's alone. Beside them, the bare
// testseqNo.dat save rate on the same disk. Prints figures; exit status 1 when a run failed. Usage:
// bench_script_memory [rows...]   (default 10000 50000 100000)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"
#include "headless/UnattendedScript.h"
#include "log/LogDrain.h"
#include "platform/TextFile.h"
#include "script/ScriptFile.h"

namespace {

using Seconds = std::chrono::duration<double>;

void WriteScript(int rows) {
    std::ofstream out(nt::kScriptFileName, std::ios::binary);
    out << "Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n";
    for (int i = 1; i <= rows; ++i) {
        out << "Run,5,,R" << i << ",Skip,Sale,0,0,Sale " << i << ",Approved\r\n";
    }
}

// In the child: one run of `rows` Sales in the current directory; its exit status.
int RunOnce(int rows) {
    WriteScript(rows);
    nt::bench::NullBuffer nothing;
    std::ostream nowhere(&nothing);
    nt::Transcript transcript(nowhere);
    nt::ScriptedOperator op(transcript);
    nt::MemoryForm form;
    // BENCH_CLIENT names a plugin to use instead of the simulator, whose journal of the open
    // batch grows with every approved sale: with a client that keeps nothing the figures are the
    // program's alone.
    const char* client = std::getenv("BENCH_CLIENT");
    nt::CTestPosDlg dlg(form, op, nt::MakeClientFactory(client != nullptr ? client : "sim"));
    dlg.OnInitDialog();
    const long startKb = nt::bench::PeakResidentKb();
    const auto start = std::chrono::steady_clock::now();
    const nt::RunInfo run{.control = "sim",
                          .reports = {{nt::ReportFormat::JUnit, "report.xml"},
                                      {nt::ReportFormat::Html, "report.html"},
                                      {nt::ReportFormat::Results, "run.jsonl"}}};
    const int status = nt::RunScriptUnattended(dlg, run, nt::SystemClock(), nowhere);
    const double seconds = Seconds(std::chrono::steady_clock::now() - start).count();
    const long endKb = nt::bench::ResidentKb();
    nt::DrainLogWriter();
    std::printf(
        "%7d rows: %6.1f s, %7.0f test cases/s, peak resident %6.1f MB (%.1f MB before "
        "the run, %.1f MB as it ended, %.1f MB with the log written), JUnit report %.0f MB, "
        "HTML report %.1f MB, JSON record %.0f MB, status %d\n",
        rows, seconds, rows / seconds, nt::bench::PeakResidentKb() / 1024.0, startKb / 1024.0,
        endKb / 1024.0, nt::bench::ResidentKb() / 1024.0,
        static_cast<double>(std::filesystem::file_size("report.xml")) / (1 << 20),
        static_cast<double>(std::filesystem::file_size("report.html")) / (1 << 20),
        static_cast<double>(std::filesystem::file_size("run.jsonl")) / (1 << 20), status);
    std::fflush(stdout);
    return status;
}

double SaveRate(double forSeconds) {
    int saves = 0;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    while (elapsed < forSeconds) {
        nt::WriteFileAtomic("testseqNo.dat", "0010010020");
        ++saves;
        elapsed = Seconds(std::chrono::steady_clock::now() - start).count();
    }
    return saves / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {10000, 50000, 100000};
    }
    int failures = 0;
    for (int rows : sizes) {
        // Below the current directory: the disk a tester's folder is on, not a memory file system.
        char dir[] = "bench_script_memory.XXXXXX";
        if (::mkdtemp(dir) == nullptr) {
            std::perror("bench_script_memory: scratch directory");
            return 1;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(dir) != 0) {
                std::_Exit(1);
            }
            std::printf("bare testseqNo.dat saves: %.0f/s\n", SaveRate(1.0));
            std::_Exit(RunOnce(rows) == 0 ? 0 : 1);
        }
        int status = 1;
        ::waitpid(child, &status, 0);
        failures += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    return failures == 0 ? 0 : 1;
}
