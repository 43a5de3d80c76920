// Script.csv from any bytes: the lines rebuild the file, every row keeps its columns, the window
// runs the runnable rows (every prompt answered "Do The Test", no payment client) and the JUnit
// report of the run, streamed to its file, is well-formed XML with one test case per runnable row.
#include <pugixml.hpp>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzWindow.h"
#include "app/TestPosDlg.h"
#include "dialogs/RunTestDlg.h"
#include "headless/MemoryForm.h"
#include "log/LogWriter.h"
#include "platform/Clock.h"
#include "platform/Codepage.h"
#include "script/JUnitReport.h"
#include "script/ScriptFile.h"
#include "script/ScriptLineReader.h"
#include "script/ScriptReport.h"
#include "script/ScriptRow.h"

namespace {

class DoEveryTest : public nt::SilentOperator {
  public:
    void RunTestCasePrompt(nt::CRunTestDlg& dlg) override { dlg.OnOK(); }
};

using Window = nt::fuzz::FuzzWindow<DoEveryTest>;

Window* g_window = nullptr;

// What follows a line in the file: nothing at the end, else LF or CR LF.
void CheckLines(std::string_view content, const std::vector<std::string>& lines) {
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    size_t at = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (content.substr(at, line.size()) != line || line.find('\n') != std::string_view::npos) {
            std::abort();
        }
        at += line.size();
        if (at == content.size()) {
            if (i + 1 != lines.size()) {
                std::abort();
            }
            break;
        }
        if (content.substr(at, 2) == "\r\n") {
            at += 2;
        } else if (content[at] == '\n') {
            at += 1;
        } else {
            std::abort();
        }
    }
    if (at != content.size()) {
        std::abort();
    }
}

// The kept columns joined by commas give the line up to the eleventh column.
void CheckRow(std::string_view line, const nt::ScriptRow& row) {
    // A line read as UTF-8, or behind a byte order mark, is converted first: its columns are
    // not its bytes, so only lines read as they stand are held to them.
    if (line.starts_with("\xEF\xBB\xBF") || nt::LooksLikeUtf8(line)) {
        return;
    }
    std::string joined;
    size_t used = 1;
    for (size_t commas = 0, at = 0; (at = line.find(',', at)) != std::string_view::npos; ++at) {
        if (++commas == nt::kScriptColumns) {
            line = line.substr(0, at);
            break;
        }
        used = commas + 1;
    }
    for (size_t i = 0; i < row.columns.size(); ++i) {
        if (i >= used) {
            if (!row.columns[i].empty()) {
                std::abort();
            }
            continue;
        }
        if (i > 0) {
            joined += ',';
        }
        joined += row.columns[i];
    }
    if (joined != line) {
        std::abort();
    }
    const std::string amount = nt::ScriptAmount(row.Amount());
    if (amount.find('.') == std::string::npos || !amount.starts_with(row.Amount())) {
        std::abort();
    }
}

// The report also carries responses and receipts; the rows' own bytes stand in for them.
class WithRowBytes : public nt::TestCaseSink {
  public:
    explicit WithRowBytes(nt::TestCaseSink& next) : next_(next) {}
    void OnRunStarted(const nt::LocalTime& started) override { next_.OnRunStarted(started); }
    void OnTestCase(const nt::SharedTestCase& testCase, const nt::Verdict& verdict) override {
        auto copy = std::make_shared<nt::TestCaseRecord>(*testCase);
        copy->responses.push_back(testCase->row.Info() + testCase->row.Type());
        copy->receipts.push_back(testCase->row.RefNumber());
        next_.OnTestCase(copy, verdict);
    }
    void OnRunEnded(const nt::ReportCounts& counts, uint64_t elapsedMs) override {
        next_.OnRunEnded(counts, elapsedMs);
    }

  private:
    nt::TestCaseSink& next_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_window = &Window::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::ofstream(nt::kScriptFileName, std::ios::binary | std::ios::trunc) << content;
    // A small read size puts read boundaries inside lines and line ends.
    nt::ScriptLineReader file(nt::kScriptFileName, nt::kMaxScriptLineBytes, 7);
    std::vector<std::string> lines;
    while (std::optional<std::string_view> line = file.Next()) {
        lines.emplace_back(*line);
    }
    CheckLines(content, lines);
    size_t runnable = 0;
    for (std::string_view line : lines) {
        const nt::ScriptRow row = nt::SplitScriptRow(line);
        CheckRow(line, row);
        runnable += nt::IsRunnableRow(row) ? 1 : 0;
    }
    // Every runnable row runs a command; a few hundred keep each input quick.
    if (runnable > 200) {
        return 0;
    }

    nt::ManualClock clock;
    nt::ScriptReport report(clock);
    nt::JUnitReport junit;
    WithRowBytes sink(junit);
    if (!junit.Open("report.xml")) {
        std::abort();
    }
    report.AddSink(&sink);
    Window& w = *g_window;
    w.dlg->SetScriptObserver(&report);
    w.dlg->SetCommandObserver(&report);
    w.dlg->scriptRunner().OnRunScript();
    w.dlg->SetCommandObserver(nullptr);
    w.dlg->SetScriptObserver(nullptr);

    if (!report.Opened() || !junit.Written() ||
        report.Counts().tests != static_cast<int>(runnable)) {
        std::abort();
    }
    std::ifstream in("report.xml", std::ios::binary);
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) {
        std::abort();
    }
    size_t cases = 0;
    for (pugi::xml_node c = doc.child("testsuite").child("testcase"); c;
         c = c.next_sibling("testcase")) {
        ++cases;
    }
    if (cases != runnable) {
        std::abort();
    }
    return 0;
}
