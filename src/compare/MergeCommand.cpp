#include "compare/MergeCommand.h"

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "compare/RecordCase.h"
#include "compare/RecordReader.h"
#include "platform/QuotedInput.h"
#include "script/HtmlReport.h"
#include "script/JUnitReport.h"
#include "script/ResultsReport.h"
#include "script/ScriptFile.h"

namespace nt {

namespace {

using json = nlohmann::ordered_json;

// "2026-12-08T20:43:47" (checked by the reader) as its parts.
LocalTime StampTime(const std::string& stamp) {
    const auto number = [&stamp](size_t at, size_t length) {
        return std::stoi(stamp.substr(at, length));
    };
    return {number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
}

// Seconds since 1970-01-01T00:00:00 of a local stamp, read as if it were UTC: only differences
// between the stamps of one run matter.
int64_t StampSeconds(const std::string& stamp) {
    const LocalTime t = StampTime(stamp);
    // Days from the civil date (H. Hinnant's algorithm).
    const int64_t y = t.year - (t.month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = era * 146097 + doe - 719468;
    return days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

struct Input {
    std::unique_ptr<RecordReader> reader;
    std::string path;
    ScriptShard shard;
    bool more = false;  // a case line is read and waits
};

std::string Named(const Input& input) {
    return QuoteFile(input.path) + " (shard " + input.shard.Name() + ")";
}

// Why the inputs are not the records of one run's shards; empty when they are. Sorts them by
// shard.
std::string CheckShards(std::vector<Input>& inputs) {
    for (Input& input : inputs) {
        const RecordRun& run = input.reader->Run();
        if (!run.shard) {
            return QuoteFile(input.path) +
                   " is not the record of a shard (its run line names none): --merge combines "
                   "the records of one run's shards";
        }
        if (run.scriptSha256.empty()) {
            return QuoteFile(input.path) +
                   " does not name its script (written by an older nordteller): which script "
                   "its test cases belong to cannot be told";
        }
        input.shard = *run.shard;
    }
    const Input& first = inputs.front();
    const RecordRun& one = first.reader->Run();
    for (const Input& input : inputs) {
        const RecordRun& run = input.reader->Run();
        if (run.scriptSha256 != one.scriptSha256 || run.scriptBytes != one.scriptBytes) {
            return QuoteFile(first.path) + " and " + QuoteFile(input.path) +
                   " are records of different scripts (" + kScriptFileName + " of " +
                   std::to_string(one.scriptBytes) + " bytes, SHA-256 " +
                   one.scriptSha256.substr(0, 12) + "..., and of " +
                   std::to_string(run.scriptBytes) + " bytes, SHA-256 " +
                   run.scriptSha256.substr(0, 12) + "...)";
        }
        if (input.shard.n != first.shard.n) {
            return Named(first) + " and " + Named(input) + " are shards of runs cut differently";
        }
        if (run.paymentClient != one.paymentClient) {
            return QuoteFile(first.path) + " and " + QuoteFile(input.path) +
                   " ran different payment clients (" + QuoteInput(one.paymentClient) + " and " +
                   QuoteInput(run.paymentClient) + ")";
        }
        if (run.programVersion != one.programVersion) {
            return QuoteFile(first.path) + " and " + QuoteFile(input.path) +
                   " were written by different nordteller versions (" +
                   QuoteInput(one.programVersion) + " and " + QuoteInput(run.programVersion) + ")";
        }
    }
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const Input& a, const Input& b) { return a.shard.k < b.shard.k; });
    for (size_t i = 1; i < inputs.size(); ++i) {
        if (inputs[i].shard.k == inputs[i - 1].shard.k) {
            return QuoteFile(inputs[i - 1].path) + " and " + QuoteFile(inputs[i].path) +
                   " are both shard " + inputs[i].shard.Name() + ": their test cases overlap";
        }
    }
    const int n = first.shard.n;
    for (int k = 1; k <= n; ++k) {
        if (static_cast<size_t>(k) > inputs.size() || inputs[k - 1].shard.k != k) {
            return "shard " + ScriptShard{k, n}.Name() +
                   " is missing: --merge needs the records of every shard of the run (1/" +
                   std::to_string(n) + " to " + std::to_string(n) + "/" + std::to_string(n) + ")";
        }
    }
    return {};
}

// The merged record's run line: the first shard's, with the earliest start, no working folder
// (each shard had its own), no shard, the merge's own outputs, and the records it merges.
std::optional<std::string> MergedRunLine(const std::vector<Input>& inputs,
                                         const std::string& started,
                                         const std::vector<ReportRequest>& reports) {
    json run = json::parse(inputs.front().reader->Run().line, nullptr, false);
    if (run.is_discarded() || !run.is_object()) {
        return std::nullopt;
    }
    run.erase("shard");
    run["started"] = started;
    run["working_folder"] = nullptr;
    json outputs = json::array();
    for (const ReportRequest& report : reports) {
        outputs.push_back({{"format", ReportFormatName(report.format)}, {"path", report.path}});
    }
    if (run["options"].is_object()) {
        run["options"]["reports"] = std::move(outputs);
    }
    json merged = json::array();
    for (const Input& input : inputs) {
        const RecordRun& shard = input.reader->Run();
        merged.push_back(
            {{"record", input.path},
             {"shard", input.shard.Name()},
             {"started", shard.started},
             {"working_folder", shard.workingFolder ? json(*shard.workingFolder) : json(nullptr)}});
    }
    run["merged"] = std::move(merged);
    return run.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

int RunMerge(const MergeOptions& options, std::ostream& out, std::ostream& err) {
    const auto refuse = [&err](const std::string& why) {
        err << "nordteller: " << why << '\n';
        return 2;
    };
    std::vector<Input> inputs;
    for (const std::string& path : options.inputs) {
        Input& input = inputs.emplace_back();
        input.path = path;
        input.reader = std::make_unique<RecordReader>(path);
        if (!input.reader->Open()) {
            return refuse(input.reader->Error());
        }
    }
    if (const std::string why = CheckShards(inputs); !why.empty()) {
        return refuse(why);
    }

    std::string started = inputs.front().reader->Run().started;
    for (const Input& input : inputs) {
        started = std::min(started, input.reader->Run().started);
    }
    const std::optional<std::string> runLine = MergedRunLine(inputs, started, options.reports);
    if (!runLine) {
        return refuse(QuoteFile(inputs.front().path) + " line 1: a run line that cannot be read");
    }
    const RecordRun& first = inputs.front().reader->Run();
    std::unique_ptr<ResultsReport> results;
    std::unique_ptr<JUnitReport> junit;
    std::unique_ptr<HtmlReport> html;
    std::vector<std::pair<std::string, ReportFile*>> files;
    for (const ReportRequest& report : options.reports) {
        ReportFile* file = nullptr;
        if (report.format == ReportFormat::Results) {
            results = std::make_unique<ResultsReport>(ResultsRunOptions{.runLine = *runLine});
            file = results.get();
        } else if (report.format == ReportFormat::JUnit) {
            junit = std::make_unique<JUnitReport>();
            file = junit.get();
        } else {
            html = std::make_unique<HtmlReport>(first.paymentClient);
            html->SetProgramVersion(first.programVersion);
            std::string from;
            for (const Input& input : inputs) {
                from += (from.empty() ? "" : "\n") + input.path + " (shard " + input.shard.Name() +
                        ", started " + input.reader->Run().started + ")";
            }
            html->AddHeaderRow("Merged from", from);
            file = html.get();
        }
        if (!file->Open(report.path)) {
            return refuse("cannot write the report " + QuoteFile(report.path) + ": " +
                          file->Error());
        }
        files.emplace_back(report.path, file);
    }
    const LocalTime start = StampTime(started);
    for (const auto& [path, file] : files) {
        file->OnRunStarted(start);
    }
    const bool wholeCases = junit || html;

    for (Input& input : inputs) {
        input.more = input.reader->NextCase();
    }
    ReportCounts counts;
    int64_t lastIndex = 0;
    for (;;) {
        Input* next = nullptr;
        for (Input& input : inputs) {
            if (input.reader->Failed()) {
                return refuse(input.reader->Error());
            }
            if (!input.more) {
                continue;
            }
            if (next != nullptr && input.reader->CaseLine() == next->reader->CaseLine()) {
                return refuse(std::string(kScriptFileName) + " line " +
                              std::to_string(next->reader->CaseLine()) + " is in both " +
                              Named(*next) + " and " + Named(input) + ": their test cases overlap");
            }
            if (next == nullptr || input.reader->CaseLine() < next->reader->CaseLine()) {
                next = &input;
            }
        }
        if (next == nullptr) {
            break;
        }
        RecordReader& reader = *next->reader;
        const std::string where =
            QuoteFile(next->path) + " line " + std::to_string(reader.FileLine());
        if (!next->shard.Holds(static_cast<int>(reader.CaseIndex() - 1)) ||
            reader.Case()["shard"].String() != next->shard.Name()) {
            return refuse(where + ": the test case of index " + std::to_string(reader.CaseIndex()) +
                          " is not shard " + next->shard.Name() + "'s");
        }
        if (reader.CaseIndex() <= lastIndex) {
            return refuse(where + ": the test case of index " + std::to_string(reader.CaseIndex()) +
                          " comes after index " + std::to_string(lastIndex) +
                          " of another shard: the shards do not cut one script");
        }
        lastIndex = reader.CaseIndex();
        TestCaseRecord testCase;
        Verdict verdict;
        if (wholeCases) {
            ReadTestCase(reader.Case(), testCase, verdict);
        } else {
            ReadVerdict(reader.Case(), testCase, verdict);
        }
        ++counts.tests;
        counts.failures += verdict.status == TestCaseStatus::kFailed;
        counts.skipped += verdict.status == TestCaseStatus::kSkipped;
        if (results) {
            results->OnCaseLine(std::string(reader.CaseText()), testCase, verdict);
        }
        if (junit || html) {
            const SharedTestCase shared = std::make_shared<const TestCaseRecord>(testCase);
            if (junit) {
                junit->OnTestCase(shared, verdict);
            }
            if (html) {
                html->OnTestCase(shared, verdict);
            }
        }
        next->more = reader.NextCase();
    }

    // The run lasted from the earliest start to the latest end.
    const int64_t from = StampSeconds(started);
    int64_t lastedMs = 0;
    for (const Input& input : inputs) {
        const RecordSummary& summary = input.reader->Summary();
        lastedMs = std::max(lastedMs, (StampSeconds(input.reader->Run().started) - from) * 1000 +
                                          summary.durationMs);
        if (summary.interrupted && counts.interrupted.empty()) {
            counts.interrupted = "shard " + input.shard.Name() + " (" + input.path +
                                 ") was interrupted: the test cases after the last it recorded "
                                 "did not run";
        }
    }
    for (const auto& [path, file] : files) {
        file->OnRunEnded(counts, static_cast<uint64_t>(lastedMs));
        if (!file->Written()) {
            return refuse("cannot write the report " + QuoteFile(path) + ": " + file->Error());
        }
    }
    out << "merged " << inputs.size() << " records (shards 1/" << inputs.front().shard.n << " to "
        << inputs.front().shard.n << "/" << inputs.front().shard.n << "): " << counts.tests
        << " test cases, " << counts.tests - counts.failures - counts.skipped << " passed, "
        << counts.failures << " failed, " << counts.skipped << " skipped or not reached\n";
    return 0;
}

}  // namespace nt
