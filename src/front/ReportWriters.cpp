#include "front/ReportWriters.h"

#include "script/HtmlReport.h"
#include "script/JUnitReport.h"
#include "script/ResultsReport.h"

namespace nt {

std::unique_ptr<ReportFile> MakeReportWriter(ReportFormat format, const RunInfo& run) {
    switch (format) {
        case ReportFormat::JUnit:
            return std::make_unique<JUnitReport>();
        case ReportFormat::Html: {
            auto html = std::make_unique<HtmlReport>(run.control);
            if (run.shard) {
                html->AddHeaderRow("Shard", run.shard->Name() +
                                                " (the test cases whose index, counted from 0, "
                                                "leaves " +
                                                std::to_string(run.shard->k - 1) +
                                                " when divided by " + std::to_string(run.shard->n) +
                                                ")");
            }
            return html;
        }
        case ReportFormat::Results:
            return std::make_unique<ResultsReport>(
                ResultsRunOptions{run.control, run.headless, run.scenario, run.desktop, run.reports,
                                  run.shard ? run.shard->Name() : std::string()});
    }
    return nullptr;
}

ReportWriters::ReportWriters(const RunInfo& run) {
    for (const ReportRequest& request : run.reports) {
        writers_.push_back({request.path, MakeReportWriter(request.format, run)});
    }
}

std::optional<ReportFault> ReportWriters::Open() {
    for (Writer& writer : writers_) {
        if (!writer.file->Open(writer.path)) {
            return ReportFault{writer.path, writer.file->Error()};
        }
    }
    return std::nullopt;
}

void ReportWriters::AddTo(ScriptReport& report) {
    for (Writer& writer : writers_) {
        report.AddSink(writer.file.get());
    }
}

std::optional<ReportFault> ReportWriters::Unwritten() const {
    for (const Writer& writer : writers_) {
        if (!writer.file->Written()) {
            return ReportFault{writer.path, writer.file->Error()};
        }
    }
    return std::nullopt;
}

}  // namespace nt
