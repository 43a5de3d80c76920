// Start-up figures: the window to shown on the offscreen platform (in process, with the
// simulated payment client), its resident memory, and a headless run of an empty scenario
// (a whole process, spawned).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sstream>

#include "BenchSupport.h"
#include "headless/HeadlessRunner.h"

#ifdef NORDTELLER_BENCH_WINDOW
#include <QApplication>

#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"
#include "ui/QtOperator.h"
#endif

namespace {

using nt::bench::Median;
using nt::bench::Ms;
using nt::bench::ResidentKb;

using Clock = std::chrono::steady_clock;

double HeadlessRunMs(const std::string& program) {
    auto start = Clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        ::execl(program.c_str(), program.c_str(), "--headless", "--scenario", "empty.scenario",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return Ms(start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : NORDTELLER_BINARY_DIR "/nordteller";
    const std::string dir = nt::bench::EnterTemporaryDirectory("nordteller-bench");
    if (dir.empty()) {
        return 1;
    }
    std::ofstream("empty.scenario") << "# start-up and shutdown only\n";
    std::vector<double> headless;
    for (int i = 0; i < 30; ++i) {
        headless.push_back(HeadlessRunMs(program));
    }
    std::printf("headless start-up + shutdown, empty scenario (whole process): median %.1f ms\n",
                Median(headless));
    std::vector<double> inProcess;
    for (int i = 0; i < 30; ++i) {
        std::ostringstream out, err;
        auto start = Clock::now();
        nt::RunHeadless({.control = "sim"}, {}, out, err);
        inProcess.push_back(Ms(start));
    }
    std::printf("headless start-up + shutdown, empty scenario (in process): median %.1f ms\n",
                Median(inProcess));

#ifdef NORDTELLER_BENCH_WINDOW
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const long before = ResidentKb();
    std::vector<double> window;
    long after = 0;
    for (int i = 0; i < 20; ++i) {
        auto start = Clock::now();
        nt::MainWindow main;
        nt::QtForm form(main.Controls());
        nt::QtOperator op(&main);
        nt::CTestPosDlg dlg(form, op, nt::MakeClientFactory("sim"));
        dlg.OnInitDialog();
        main.Attach(dlg);
        main.show();
        QApplication::processEvents();
        window.push_back(Ms(start));
        if (i == 0) {
            after = ResidentKb();
        }
        dlg.OnCancel();
    }
    std::printf("window start-up to shown (offscreen, in process): median %.1f ms\n",
                Median(window));

    // The pad catalog of 10,000 entries into the drawn tree, the saved selection restored.
    std::string info;
    for (int n = 1; n <= 10000; ++n) {
        const std::string k = std::to_string(n);
        info += "<PadTypeID" + k + ">PAD-" + k + "</PadTypeID" + k + "><Processor" + k +
                ">Processor " + std::to_string(n % 7) + "</Processor" + k + "><Manufacturer" + k +
                ">Maker " + std::to_string(n % 13) + "</Manufacturer" + k + ">\r\n";
    }
    {
        nt::MainWindow main;
        nt::QtForm form(main.Controls());
        nt::QtOperator op(&main);
        nt::CTestPosDlg dlg(form, op, nt::MakeClientFactory("sim"));
        dlg.OnInitDialog();
        main.Attach(dlg);
        main.show();
        QApplication::processEvents();
        std::vector<double> catalog;
        for (int i = 0; i < 7; ++i) {
            auto start = Clock::now();
            dlg.padCatalog().BuildPadCatalog(info, "PAD-9997");
            QApplication::processEvents();
            catalog.push_back(Ms(start));
        }
        std::printf(
            "pad catalog of 10000 entries into the drawn tree, selection restored: "
            "median %.1f ms\n",
            Median(catalog));
        dlg.OnCancel();
    }
    std::printf("resident memory: %.1f MB with the application, %.1f MB with the window started\n",
                before / 1024.0, after / 1024.0);
#endif
    std::filesystem::remove_all(dir);
    return 0;
}
