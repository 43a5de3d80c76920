#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DesktopStart.h"
#include "app/OutputPaths.h"
#include "app/RecordCommands.h"
#include "front/ReportPath.h"
#include "front/RunInfo.h"
#include "headless/HeadlessRunner.h"
#include "platform/FolderLock.h"
#include "platform/StandardStreams.h"
#include "platform/StopSignal.h"
#include "transaction/ClientHelper.h"
#ifdef NORDTELLER_WITH_QT
#include "ui/WindowApp.h"
#endif

int main(int argc, char** argv) {
    // The payment client's helper process (hidden mode): nothing of the program runs in it.
    if (argc >= 2 && std::strcmp(argv[1], nt::kClientHelperOption) == 0) {
        return nt::RunClientHelper(std::vector<std::string>(argv + 2, argv + argc));
    }
    nt::OpenClosedStandardStreams();
    std::vector<std::string> args(argv + 1, argv + argc);
    nt::CommandLine commandLine;
    std::string error;
    if (!nt::ParseCommandLine(args, commandLine, error)) {
        std::fprintf(stderr, "nordteller: %s (try --help)\n", error.c_str());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(nt::UsageText(), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("nordteller %s\n", NORDTELLER_VERSION);
        return 0;
    }
    // --compare and --merge read records and write reports: no window, no payment client, no
    // folder lock.
    if (!commandLine.compare.empty() || !commandLine.merge.empty()) {
        std::optional<std::string> fault = nt::OutputPathFault(commandLine);
        if (!fault) {
            fault = nt::ReportPathFault(commandLine.reports);
        }
        if (fault) {
            std::fprintf(stderr, "nordteller: %s\n", fault->c_str());
            return 2;
        }
        return nt::RunRecordCommand(commandLine, std::cout, std::cerr);
    }
    nt::SetClientIsolation(
        {!commandLine.inProcess, nt::ClientHelperProgram(), commandLine.clientTimeout});
    if (commandLine.desktop && !nt::EnterDesktopFolder(commandLine, error)) {
        std::fprintf(stderr, "nordteller: %s\n", error.c_str());
        return 2;
    }
    if (std::optional<std::string> fault = nt::OutputPathFault(commandLine)) {
        std::fprintf(stderr, "nordteller: %s\n", fault->c_str());
        return 2;
    }
    const nt::RunInfo run{commandLine.control,  commandLine.runScript, commandLine.reports,
                          commandLine.headless, commandLine.scenario,  commandLine.desktop,
                          commandLine.shard};
    // Ctrl+C and SIGTERM stop the run between test cases, with its files whole.
    nt::CatchStopSignals();
    nt::PrestartClientHelper(commandLine.control);
    if (commandLine.headless) {
        // Taken before any file of the folder is read, held until the process ends.
        nt::FolderLock lock(".");
        if (!lock.Held()) {
            std::fprintf(stderr, "nordteller: %s\n", lock.InUseText().c_str());
            return 2;
        }
        return nt::RunHeadlessFile(run, commandLine.scenario, std::cout, std::cerr);
    }
#ifdef NORDTELLER_WITH_QT
    return nt::RunWindowApp(argc, argv, run, commandLine.record, commandLine.language);
#else
    std::fputs("nordteller: built without the window; use --headless --scenario FILE\n", stderr);
    return 2;
#endif
}
