// The cost of running a plugin in a helper process: Sales per second through the simulator's
// plugin build in its helper and loaded into the program, measured in turns in one run; and
// start-up with that plugin, helper against in-process: the window logic alone, a whole
// headless process, and a whole process that shows the window (offscreen) with the helper
// started first, as main does.
//   bench_isolation [SALES_PER_TURN] [HELPER] [PLUGIN]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

#ifdef NORDTELLER_BENCH_WINDOW
#include <QApplication>

#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;
using nt::bench::Median;
using nt::bench::Ms;

constexpr int kTurns = 9;

// Runs `run` with the helper and in-process in turns, `times` each, and prints the medians.
void CompareMs(const char* what, int times, const std::function<double(bool isolated)>& run) {
    std::vector<double> helper, loaded;
    for (int i = 0; i < times; ++i) {
        helper.push_back(run(true));
        loaded.push_back(run(false));
    }
    std::printf(
        "%s (median of %d): helper %.1f ms, in-process %.1f ms; %.1f ms slower "
        "(goal <= 30)\n",
        what, times, Median(helper), Median(loaded), Median(helper) - Median(loaded));
}

struct Window {
    std::ostringstream sink;
    nt::Transcript transcript{sink};
    nt::ScriptedOperator op{transcript};
    nt::MemoryForm form;
};

// Sales per second of one turn.
double SalesPerSecond(const std::string& plugin, const nt::ClientIsolation& isolation, int sales) {
    Window w;
    nt::CTestPosDlg dlg(w.form, w.op, nt::MakeClientFactory(plugin, isolation));
    if (!dlg.OnInitDialog() || !dlg.gateway().HasControl()) {
        std::fprintf(stderr, "the payment client could not be created\n");
        std::exit(1);
    }
    dlg.form().SetText(nt::id::kAmount, "1000");
    const auto start = Clock::now();
    for (int i = 0; i < sales; ++i) {
        dlg.OnCommand(nt::id::kSale);
    }
    nt::GetLogWriter().Flush();
    const double rate = sales / (Ms(start) / 1000.0);
    dlg.OnCancel();
    return rate;
}

// Milliseconds from nothing to the window logic started with the plugin's catalog, and shut.
double StartUpMs(const std::string& plugin, const nt::ClientIsolation& isolation) {
    const auto start = Clock::now();
    {
        Window w;
        nt::CTestPosDlg dlg(w.form, w.op, nt::MakeClientFactory(plugin, isolation));
        dlg.OnInitDialog();
        dlg.OnCancel();
    }
    return Ms(start);
}

double HeadlessRunMs(const std::string& program, const std::string& plugin, bool inProcess) {
    std::fflush(stdout);  // what is printed goes out once, not again from the child
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        ::execl(program.c_str(), program.c_str(), "--control", plugin.c_str(), "--headless",
                "--scenario", "empty.scenario", inProcess ? "--in-process" : nullptr,
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return Ms(start);
}

#ifdef NORDTELLER_BENCH_WINDOW
// One window start-up in this process, as the program does it: the helper first, then the
// application, the window, the start-up with its catalog call, shown.
int ShowWindowOnce(int argc, char** argv, const std::string& program, const std::string& plugin,
                   bool isolated) {
    nt::SetClientIsolation({isolated, program, 300});
    nt::PrestartClientHelper(plugin);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    nt::MainWindow window;
    nt::QtForm form(window.Controls());
    nt::QtOperator op(&window);
    nt::CTestPosDlg dlg(form, op, nt::MakeClientFactory(plugin));
    const bool started = dlg.OnInitDialog() && dlg.gateway().HasControl();
    window.Attach(dlg);
    window.show();
    QApplication::processEvents();
    dlg.OnCancel();
    return started ? 0 : 1;
}

double WindowProcessMs(const std::string& program, const std::string& plugin, bool isolated) {
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/proc/self/exe", "bench_isolation", "--show-window",
                isolated ? "helper" : "in-process", program.c_str(), plugin.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the window did not start with its payment client\n");
    }
    return Ms(start);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef NORDTELLER_BENCH_WINDOW
    if (argc == 5 && std::string(argv[1]) == "--show-window") {
        int one = 1;
        return ShowWindowOnce(one, argv, argv[3], argv[4], std::string(argv[2]) == "helper");
    }
#endif
    const int sales = argc > 1 ? std::atoi(argv[1]) : 500;
    // The helper the program starts for a plugin; the headless runs start the program itself.
    const std::string program =
        argc > 2 ? argv[2] : NORDTELLER_BINARY_DIR "/nordteller-client-helper";
    const std::string plugin = argc > 3 ? argv[3] : NORDTELLER_BINARY_DIR "/libcardbridge_sim.so";
    const std::string dir = nt::bench::EnterTemporaryDirectory("nordteller-bench");
    if (dir.empty()) {
        return 1;
    }
    ::setenv("NORDTELLER_SIM_FRESH", "1", 1);  // every turn starts with an empty journal
    const nt::ClientIsolation helper{true, program, 300};
    const nt::ClientIsolation inProcess{false, program, 300};

    // Turns alternate, so that a machine busy with something else weighs on both alike.
    std::vector<double> viaHelper, loaded, ratios;
    for (int turn = 1; turn <= kTurns; ++turn) {
        viaHelper.push_back(SalesPerSecond(plugin, helper, sales));
        loaded.push_back(SalesPerSecond(plugin, inProcess, sales));
        ratios.push_back(viaHelper.back() / loaded.back());
        std::printf("turn %d: %d Sales: helper %.0f/s, in-process %.0f/s, ratio %.2f\n", turn,
                    sales, viaHelper.back(), loaded.back(), ratios.back());
    }
    std::printf(
        "Sales per second (median of %d turns): helper %.0f, in-process %.0f; ratio of each "
        "turn's rates, median %.2f (goal >= 0.90)\n",
        kTurns, Median(viaHelper), Median(loaded), Median(ratios));
    // The best turn of each is the one least disturbed by other work on the machine.
    const double bestHelper = *std::max_element(viaHelper.begin(), viaHelper.end());
    const double bestLoaded = *std::max_element(loaded.begin(), loaded.end());
    std::printf("Sales per second (best turn): helper %.0f, in-process %.0f; ratio %.2f\n",
                bestHelper, bestLoaded, bestHelper / bestLoaded);

    CompareMs("window logic start-up + shutdown with the plugin", 21,
              [&](bool isolated) { return StartUpMs(plugin, isolated ? helper : inProcess); });
    std::ofstream("empty.scenario") << "# start-up and shutdown only\n";
    CompareMs("headless process, empty scenario, with the plugin", 21, [&](bool isolated) {
        return HeadlessRunMs(NORDTELLER_BINARY_DIR "/nordteller", plugin, !isolated);
    });
#ifdef NORDTELLER_BENCH_WINDOW
    CompareMs("process to the window shown (offscreen) with the plugin", 11,
              [&](bool isolated) { return WindowProcessMs(program, plugin, isolated); });
#endif
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return 0;
}
