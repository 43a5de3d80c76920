#include "compare/CompareCommand.h"

#include <optional>

#include "compare/CaseComparison.h"
#include "compare/CompareReports.h"
#include "compare/RecordReader.h"
#include "platform/QuotedInput.h"

namespace nt {

namespace {

std::string Described(const ComparedRecord& record) {
    std::string text = QuoteFile(record.path) + ", started " + QuoteInput(record.run.started) +
                       ", nordteller " + QuoteInput(record.run.programVersion) +
                       ", payment client " + QuoteInput(record.run.paymentClient);
    if (record.run.shard) {
        text += ", shard " + record.run.shard->Name();
    } else if (record.run.merged > 0) {
        text += ", merged from " + std::to_string(record.run.merged) + " records";
    }
    return text;
}

// What differs between the two runs themselves, beside their test cases.
std::vector<std::string> RunNotes(const RecordRun& base, const RecordRun& now) {
    std::vector<std::string> notes;
    if (base.scriptSha256.empty() || now.scriptSha256.empty()) {
        notes.push_back("a record does not name its script (written by an older nordteller)");
    } else if (base.scriptSha256 != now.scriptSha256 || base.scriptBytes != now.scriptBytes) {
        notes.push_back("the runs read different scripts: " + std::to_string(base.scriptBytes) +
                        " bytes, SHA-256 " + base.scriptSha256.substr(0, 12) + "... and " +
                        std::to_string(now.scriptBytes) + " bytes, SHA-256 " +
                        now.scriptSha256.substr(0, 12) + "...");
    }
    if (base.paymentClient != now.paymentClient) {
        notes.push_back("the payment clients differ: " + QuoteInput(base.paymentClient) + " and " +
                        QuoteInput(now.paymentClient));
    }
    if (base.programVersion != now.programVersion) {
        notes.push_back("the nordteller versions differ: " + QuoteInput(base.programVersion) +
                        " and " + QuoteInput(now.programVersion));
    }
    return notes;
}

class Comparison {
  public:
    Comparison(const CompareOptions& options, std::ostream& out) : options_(options), out_(out) {}

    bool OpenReports(std::string& error) {
        if (!options_.html.empty() && !html_.Open(options_.html)) {
            error = "cannot write the report " + QuoteFile(options_.html) + ": " + html_.Error();
            return false;
        }
        if (!options_.junit.empty() && !junit_.Open(options_.junit)) {
            error = "cannot write the report " + QuoteFile(options_.junit) + ": " + junit_.Error();
            return false;
        }
        return true;
    }

    void Differs(const CaseDifference& difference) {
        ++totals_.testCases;
        totals_.changed += difference.change == CaseChange::kChanged;
        totals_.added += difference.change == CaseChange::kAdded;
        totals_.missing += difference.change == CaseChange::kMissing;
        out_ << SummaryLine(difference) << '\n';
        if (!options_.html.empty()) {
            html_.OnDifference(difference);
        }
        if (!options_.junit.empty()) {
            junit_.OnDifference(difference);
        }
    }

    void Same(int64_t line, const std::string& info) {
        ++totals_.testCases;
        if (!options_.junit.empty()) {
            junit_.OnSame(line, info);
        }
    }

    ComparisonTotals& Totals() { return totals_; }

    bool Commit(const ComparedRecord& base, const ComparedRecord& now, std::string& error) {
        if (!options_.html.empty() && !html_.Commit(base, now, totals_)) {
            error = "cannot write the report " + QuoteFile(options_.html) + ": " + html_.Error();
            return false;
        }
        if (!options_.junit.empty() && !junit_.Commit(base, now, totals_)) {
            error = "cannot write the report " + QuoteFile(options_.junit) + ": " + junit_.Error();
            return false;
        }
        return true;
    }

  private:
    const CompareOptions& options_;
    std::ostream& out_;
    CompareHtml html_;
    CompareJUnit junit_;
    ComparisonTotals totals_;
};

}  // namespace

int RunCompare(const CompareOptions& options, std::ostream& out, std::ostream& err) {
    const auto refuse = [&err](const std::string& why) {
        err << "nordteller: " << why << '\n';
        return 2;
    };
    RecordReader base(options.base);
    RecordReader now(options.now);
    if (!base.Open()) {
        return refuse(base.Error());
    }
    if (!now.Open()) {
        return refuse(now.Error());
    }
    Comparison comparison(options, out);
    std::string error;
    if (!comparison.OpenReports(error)) {
        return refuse(error);
    }
    ComparedRecord baseRecord{options.base, base.Run(), 0};
    ComparedRecord newRecord{options.now, now.Run(), 0};
    ComparisonTotals& totals = comparison.Totals();
    totals.ignored = options.rules.Describe();
    totals.notes = RunNotes(base.Run(), now.Run());
    out << "base: " << Described(baseRecord) << '\n' << "new:  " << Described(newRecord) << '\n';
    for (const std::string& note : totals.notes) {
        out << "note: " << note << '\n';
    }

    bool haveBase = base.NextCase();
    bool haveNew = now.NextCase();
    while ((haveBase || haveNew) && !base.Failed() && !now.Failed()) {
        if (haveBase && (!haveNew || base.CaseLine() < now.CaseLine())) {
            comparison.Differs(OneSidedCase(base.Case(), CaseChange::kMissing));
            haveBase = base.NextCase();
        } else if (haveNew && (!haveBase || now.CaseLine() < base.CaseLine())) {
            comparison.Differs(OneSidedCase(now.Case(), CaseChange::kAdded));
            haveNew = now.NextCase();
        } else {
            if (base.CaseInfo() != now.CaseInfo()) {
                // The script's line holds another test case now: the old one went, a new came.
                comparison.Differs(OneSidedCase(base.Case(), CaseChange::kMissing));
                comparison.Differs(OneSidedCase(now.Case(), CaseChange::kAdded));
            } else if (std::optional<CaseDifference> difference =
                           CompareCases(base.Case(), now.Case(), options.rules)) {
                comparison.Differs(*difference);
            } else {
                comparison.Same(base.CaseLine(), base.CaseInfo());
            }
            haveBase = base.NextCase();
            haveNew = now.NextCase();
        }
    }
    if (base.Failed() || now.Failed()) {
        return refuse(base.Failed() ? base.Error() : now.Error());
    }
    baseRecord.cases = base.Cases();
    newRecord.cases = now.Cases();
    if (!comparison.Commit(baseRecord, newRecord, error)) {
        return refuse(error);
    }
    if (totals.Differing() == 0) {
        out << "result: no test case differs (" << totals.testCases
            << " compared; ignored: " << totals.ignored << ")\n";
        return 0;
    }
    out << "result: " << totals.Differing() << " of " << totals.testCases
        << " test cases differ: " << totals.changed << " changed, " << totals.added << " added, "
        << totals.missing << " missing (ignored: " << totals.ignored << ")\n";
    return 1;
}

}  // namespace nt
