// Soak: many Sales in headless mode against the simulated payment client, in one process.
// Prints resident memory at start, after the warm-up, at every tenth and at the end, then reads the
// daily log back: every entry present, in order, each closed by its separator. Exit status 1 when
// the log is not whole. Usage: bench_soak [sales=100000]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"
#include "log/LogWriter.h"

namespace {

using nt::bench::ResidentKb;

// Discards the transcript: a soak's prompts are not of interest, only their cost.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string DailyLogs() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(nt::kLogDirectory)) {
        if (e.path().filename().string().rfind("CAN", 0) == 0) {
            names.push_back(e.path().string());
        }
    }
    std::sort(names.begin(), names.end());  // a run past midnight spans two files
    std::string all;
    for (const std::string& name : names) {
        std::ifstream in(name, std::ios::binary);
        all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return all;
}

// Checks the log of a run with `commands` trace numbers (a batch close's summary and close share
// one) and `requests` requests; prints the first fault and returns false.
bool AuditLog(const std::string& log, int commands, int requests) {
    const std::string separator = "\r\n----------\r\n";
    int lastTrace = 0;
    int sent = 0;
    int responses = 0;
    int entries = 0;
    bool started = false;
    bool shutDown = false;
    size_t at = 0;
    for (size_t end; (end = log.find(separator, at)) != std::string::npos;
         at = end + separator.size()) {
        const std::string_view entry(log.data() + at, end - at);
        ++entries;
        if (entry.size() < 10 || entry[0] != '[' || entry[3] != ':' || entry[6] != ':' ||
            entry[9] != ']') {
            std::printf("entry %d has no time stamp\n", entries);
            return false;
        }
        const std::string_view text = entry.substr(10);
        if (text.rfind("Startup ", 0) == 0) {
            started = true;
        } else if (text.rfind("Shutdown ", 0) == 0) {
            shutDown = true;
        } else if (text.rfind("TRACE DATA:", 0) == 0) {
            const bool close = text.find("<TranCode>BatchClose</TranCode>") != std::string::npos;
            const int trace = close ? lastTrace : lastTrace + 1;
            char expected[16];
            std::snprintf(expected, sizeof expected, "%08d", trace);
            if (text.substr(11, 8) != expected) {
                std::printf("entry %d: TRACE DATA:%s where %s was due\n", entries,
                            std::string(text.substr(11, 8)).c_str(), expected);
                return false;
            }
            lastTrace = trace;
            ++sent;
        } else if (text.rfind("\r\n<?xml", 0) == 0) {
            if (responses + 1 != sent) {
                std::printf("entry %d: a response without its request\n", entries);
                return false;
            }
            ++responses;
        }
    }
    if (at != log.size()) {
        std::printf("%zu bytes after the last separator\n", log.size() - at);
        return false;
    }
    if (!started || !shutDown || lastTrace != commands || sent != requests ||
        responses != requests) {
        std::printf(
            "startup %d, shutdown %d, commands %d of %d, requests %d and responses %d "
            "of %d\n",
            started, shutDown, lastTrace, commands, sent, responses, requests);
        return false;
    }
    std::printf(
        "log: %d entries, %d requests and %d responses in order, each with its "
        "separator\n",
        entries, sent, responses);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nt;
    const int sales = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int closeEvery = argc > 2 ? std::atoi(argv[2]) : 0;
    int closes = 0;
    const std::string dir = nt::bench::EnterTemporaryDirectory("nordteller-soak");
    if (dir.empty()) {
        return 1;
    }
    std::printf("VmRSS at start: %ld kB\n", ResidentKb());
    const auto start = std::chrono::steady_clock::now();
    bool whole = false;
    {
        NullBuffer nothing;
        std::ostream sink(&nothing);
        Transcript transcript(sink);
        ScriptedOperator op(transcript);
        MemoryForm form;
        CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
        dlg.OnInitDialog();
        dlg.form().SetText(id::kAmount, "1000");
        const int warmUp = std::min(sales, 1000);
        for (int i = 0; i < sales; ++i) {
            dlg.OnCommand(id::kSale);
            if (closeEvery > 0 && (i + 1) % closeEvery == 0) {
                dlg.OnCommand(id::kBatchClose);  // a summary, then the close
                ++closes;
            }
            // After the warm-up and at every tenth: high-water marks level off, a leak climbs.
            if (i + 1 == warmUp || (sales >= 10 && (i + 1) % (sales / 10) == 0)) {
                GetLogWriter().Flush();
                std::printf("VmRSS after %d Sales: %ld kB\n", i + 1, ResidentKb());
            }
        }
        dlg.OnCancel();
        GetLogWriter().Flush();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%d Sales and %d batch closes in %.1f s (%.0f Sales/s)\n", sales, closes,
                    seconds, sales / seconds);
        whole = AuditLog(DailyLogs(), sales + closes, sales + 2 * closes);
    }
    std::printf("VmRSS at end: %ld kB\n", ResidentKb());
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return whole ? 0 : 1;
}
