#include "app/OutputPaths.h"

#include <vector>

#include "app/OwnedFiles.h"
#include "platform/QuotedInput.h"

namespace nt {

namespace {

struct NamedPath {
    std::string option;
    std::string path;
    const char* what = "";  // an input's part in the run
};

}  // namespace

std::optional<std::string> OutputPathFault(const CommandLine& commandLine) {
    std::vector<NamedPath> outputs;
    if (!commandLine.record.empty()) {
        outputs.push_back({"--record", commandLine.record});
    }
    for (const ReportRequest& report : commandLine.reports) {
        outputs.push_back({ReportOptionName(report.format), report.path});
    }
    std::vector<NamedPath> inputs;
    if (!commandLine.scenario.empty() && commandLine.scenario != "-") {
        inputs.push_back({"--scenario", commandLine.scenario, "the scenario"});
    }
    if (commandLine.control != "sim") {
        inputs.push_back({"--control", commandLine.control, "the payment client"});
    }
    for (size_t i = 0; i < commandLine.compare.size(); ++i) {
        inputs.push_back(
            {"--compare", commandLine.compare[i], i == 0 ? "the base record" : "the new record"});
    }
    for (const std::string& record : commandLine.merge) {
        inputs.push_back({"--merge", record, "a record it merges"});
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        const NamedPath& output = outputs[i];
        const std::string named = output.option + " " + QuoteInput(output.path);
        if (std::optional<std::string> owned = OwnedFileAt(output.path)) {
            return named + " would overwrite the program's own " + *owned;
        }
        for (size_t j = 0; j < i; ++j) {
            if (SameFile(output.path, outputs[j].path)) {
                return named + " names the same file as " + outputs[j].option;
            }
        }
        for (const NamedPath& input : inputs) {
            if (SameFile(output.path, input.path)) {
                return named + " would overwrite " + input.what + " (" + input.option + ")";
            }
        }
    }
    return std::nullopt;
}

}  // namespace nt
