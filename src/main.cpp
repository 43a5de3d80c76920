#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "headless/HeadlessRunner.h"
#ifdef NORDTELLER_WITH_QT
#include "ui/WindowApp.h"
#endif

int main(int argc, char** argv) {
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
    if (commandLine.headless) {
        nt::ScriptOptions script{commandLine.runScript, commandLine.junit};
        return nt::RunHeadlessFile(commandLine.control, commandLine.scenario, std::cout, std::cerr,
                                   script);
    }
#ifdef NORDTELLER_WITH_QT
    return nt::RunWindowApp(argc, argv, commandLine.control, commandLine.runScript,
                            commandLine.record);
#else
    std::fputs("nordteller: built without the window; use --headless --scenario FILE\n", stderr);
    return 2;
#endif
}
