#include "app/RecordCommands.h"

#include "compare/CompareCommand.h"
#include "compare/MergeCommand.h"

namespace nt {

int RunRecordCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    if (!commandLine.merge.empty()) {
        return RunMerge({commandLine.merge, commandLine.reports}, out, err);
    }
    CompareOptions options{
        commandLine.compare.at(0),
        commandLine.compare.at(1),
        commandLine.strict ? IgnoreRules::Strict() : IgnoreRules(commandLine.ignore),
        {},
        {}};
    for (const ReportRequest& report : commandLine.reports) {
        (report.format == ReportFormat::Html ? options.html : options.junit) = report.path;
    }
    return RunCompare(options, out, err);
}

}  // namespace nt
