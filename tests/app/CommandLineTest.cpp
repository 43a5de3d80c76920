#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(ParseCommandLine, ValidForms) {
    CommandLine cl;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({}, cl, error));
    EXPECT_EQ(cl.control, "sim");
    EXPECT_FALSE(cl.headless);

    CommandLine h;
    ASSERT_TRUE(
        ParseCommandLine({"--control", "/opt/lib.so", "--headless", "--scenario", "-"}, h, error));
    EXPECT_EQ(h.control, "/opt/lib.so");
    EXPECT_TRUE(h.headless);
    EXPECT_EQ(h.scenario, "-");

    CommandLine eq;
    ASSERT_TRUE(
        ParseCommandLine({"--scenario=a b.scenario", "--headless", "--control=sim"}, eq, error));
    EXPECT_EQ(eq.scenario, "a b.scenario");

    CommandLine script;
    ASSERT_TRUE(ParseCommandLine({"--run-script", "--headless", "--junit=out.xml"}, script, error));
    EXPECT_TRUE(script.runScript);
    EXPECT_EQ(script.reports, (std::vector<ReportRequest>{{ReportFormat::JUnit, "out.xml"}}));
    EXPECT_EQ(script.scenario, "");

    CommandLine both;
    ASSERT_TRUE(ParseCommandLine({"--headless", "--scenario", "a", "--run-script"}, both, error));
    EXPECT_TRUE(both.runScript);
    EXPECT_TRUE(both.reports.empty());

    CommandLine record;
    ASSERT_TRUE(ParseCommandLine({"--record", "my run.scenario", "--run-script"}, record, error));
    EXPECT_EQ(record.record, "my run.scenario");

    CommandLine report;
    ASSERT_TRUE(ParseCommandLine({"--headless", "--run-script", "--report=r.html"}, report, error));
    EXPECT_EQ(report.reports, (std::vector<ReportRequest>{{ReportFormat::Html, "r.html"}}));

    CommandLine flags;
    ASSERT_TRUE(ParseCommandLine({"--version", "--help"}, flags, error));
    EXPECT_TRUE(flags.help);
    EXPECT_TRUE(flags.version);

    CommandLine shortHelp;
    ASSERT_TRUE(ParseCommandLine({"-h", "--desktop"}, shortHelp, error));
    EXPECT_TRUE(shortHelp.help);
    EXPECT_TRUE(shortHelp.desktop);

    // A plugin runs in a helper with a deadline of 300 s unless told otherwise.
    EXPECT_FALSE(cl.inProcess);
    EXPECT_EQ(cl.clientTimeout, 300);
    CommandLine isolation;
    ASSERT_TRUE(ParseCommandLine({"--client-timeout", "0", "--in-process"}, isolation, error));
    EXPECT_EQ(isolation.clientTimeout, 0);
    EXPECT_TRUE(isolation.inProcess);
    ASSERT_TRUE(ParseCommandLine({"--client-timeout=999999"}, isolation, error));
    EXPECT_EQ(isolation.clientTimeout, 999999);

    // The window's language: the locale's unless named.
    EXPECT_EQ(cl.language, "");
    CommandLine french;
    ASSERT_TRUE(ParseCommandLine({"--language", "fr"}, french, error));
    EXPECT_EQ(french.language, "fr");
    ASSERT_TRUE(ParseCommandLine({"--language=en"}, french, error));
    EXPECT_EQ(french.language, "en");
}

TEST(ParseCommandLine, ErrorsAreOneLineReasons) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--language", "fr_CA"}, "option '--language' needs en or fr, not 'fr_CA'"},
        {{"-x"}, "unknown option '-x'"},
        {{"scenario.txt"}, "unexpected argument 'scenario.txt'"},
        {{"--control"}, "option '--control' needs a value"},
        {{"--control="}, "option '--control' needs a value"},
        {{"--control", "--headless"}, "option '--control' needs a value"},
        {{"--headless", "--scenario"}, "option '--scenario' needs a value"},
        {{"--headless"}, "--headless needs --scenario FILE or --run-script"},
        {{"--run-script", "--junit", "r.xml"}, "--junit needs --headless"},
        {{"--headless", "--scenario", "s", "--junit", "r.xml"}, "--junit needs --run-script"},
        {{"--headless", "--run-script", "--junit"}, "option '--junit' needs a value"},
        {{"--headless", "--run-script", "--junit="}, "option '--junit' needs a value"},
        {{"--scenario", "s"}, "--scenario needs --headless"},
        {{"--controls", "x"}, "unknown option '--controls'"},
        {{"--headless", "--run-script", "--record", "r"},
         "--record needs the window, not --headless"},
        {{"--record"}, "option '--record' needs a value"},
        {{"--headless", "--scenario", "s", "--report", "r.html"}, "--report needs --run-script"},
        {{"--\x1B]0;x\x07"}, "unknown option '--\\x1B]0;x\\x07'"},
        {{"--client-timeout"}, "option '--client-timeout' needs a value"},
        {{"--client-timeout", "-1"},
         "option '--client-timeout' needs whole seconds up to 999999 (0 for no limit), not '-1'"},
        {{"--client-timeout=5s"},
         "option '--client-timeout' needs whole seconds up to 999999 (0 for no limit), not '5s'"},
        {{"--client-timeout", "1000000"},
         "option '--client-timeout' needs whole seconds up to 999999 (0 for no limit), not "
         "'1000000'"},
        {{"--client-helper", "3", "x.so"}, "unknown option '--client-helper'"},
        {{std::string(200, 'z')},
         "unexpected argument '" + std::string(80, 'z') + "'... (200 bytes)"},
    };
    for (const auto& [args, reason] : cases) {
        CommandLine cl;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, cl, error)) << reason;
        EXPECT_EQ(error, reason);
    }
}

// The reports are listed in the order given; any option given twice is refused. What a report needs
// of the rest of the line is refused as ever: --run-script before --record, --junit before
// --report.
TEST(ParseCommandLine, ReportsKeepTheOrderGiven) {
    using Reports = std::vector<ReportRequest>;
    const std::pair<std::vector<std::string>, Reports> accepted[] = {
        {{"--headless", "--run-script", "--report", "r.html", "--junit=j.xml"},
         {{ReportFormat::Html, "r.html"}, {ReportFormat::JUnit, "j.xml"}}},
        {{"--junit", "j.xml", "--headless", "--report=r.html", "--run-script"},
         {{ReportFormat::JUnit, "j.xml"}, {ReportFormat::Html, "r.html"}}},
        {{"--run-script", "--report", "r.html"}, {{ReportFormat::Html, "r.html"}}},
        {{"--run-script", "--results", "r.jsonl", "--report", "r.html"},
         {{ReportFormat::Results, "r.jsonl"}, {ReportFormat::Html, "r.html"}}},
        {{"--headless", "--results=a.jsonl", "--junit", "j.xml", "--run-script"},
         {{ReportFormat::Results, "a.jsonl"}, {ReportFormat::JUnit, "j.xml"}}},
    };
    for (const auto& [args, reports] : accepted) {
        CommandLine cl;
        std::string error;
        ASSERT_TRUE(ParseCommandLine(args, cl, error)) << error;
        EXPECT_EQ(cl.reports, reports) << args[2];
    }
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--report", "r.html", "--junit", "j", "--headless", "--scenario", "s"},
         "--junit needs --run-script"},
        {{"--report", "r.html", "--run-script", "--junit", "j"}, "--junit needs --headless"},
        {{"--report", "r.html"}, "--report needs --run-script"},
        {{"--headless", "--scenario", "s", "--record", "x", "--report", "r"},
         "--report needs --run-script"},
        {{"--junit", "j", "--run-script", "--record", "x"}, "--junit needs --headless"},
        {{"--report=r.html", "--report="}, "option '--report' needs a value"},
        {{"--headless", "--run-script", "--junit", "a.xml", "--report", "r.html", "--junit", "b"},
         "option '--junit' given twice"},
        {{"--headless", "--scenario", "a", "--scenario=b"}, "option '--scenario' given twice"},
        {{"--control", "sim", "--headless", "--run-script", "--control", "x.so"},
         "option '--control' given twice"},
        {{"--headless", "--run-script", "--headless"}, "option '--headless' given twice"},
        {{"-h", "--help"}, "option '--help' given twice"},
        {{"--results", "r.jsonl"}, "--results needs --run-script"},
    };
    for (const auto& [args, reason] : refused) {
        CommandLine cl;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, cl, error)) << reason;
        EXPECT_EQ(error, reason);
    }
}

// --shard goes with an unattended run; --compare and --merge are commands of their own, with
// their reports and nothing of a run.
TEST(ParseCommandLine, ShardsComparisonsAndMerges) {
    CommandLine shard;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--headless", "--run-script", "--shard", "2/4"}, shard, error))
        << error;
    EXPECT_EQ(shard.shard, (ScriptShard{2, 4}));

    CommandLine compare;
    ASSERT_TRUE(
        ParseCommandLine({"--compare", "base.jsonl", "new.jsonl", "--report", "c.html", "--junit",
                          "c.xml", "--ignore", "InvoiceNo", "--ignore=UserTrace"},
                         compare, error))
        << error;
    EXPECT_EQ(compare.compare, (std::vector<std::string>{"base.jsonl", "new.jsonl"}));
    EXPECT_EQ(compare.ignore, (std::vector<std::string>{"InvoiceNo", "UserTrace"}));
    EXPECT_EQ(compare.reports.size(), 2u);
    EXPECT_FALSE(compare.runScript);

    CommandLine strict;
    ASSERT_TRUE(ParseCommandLine({"--strict", "--compare", "a", "b"}, strict, error)) << error;
    EXPECT_TRUE(strict.strict);

    CommandLine merge;
    ASSERT_TRUE(ParseCommandLine({"--merge", "s1.jsonl", "s2.jsonl", "s3.jsonl", "--results",
                                  "all.jsonl", "--junit", "all.xml", "--report", "all.html"},
                                 merge, error))
        << error;
    EXPECT_EQ(merge.merge.size(), 3u);
    EXPECT_EQ(merge.reports.size(), 3u);

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--headless", "--run-script", "--shard", "0/4"},
         "option '--shard' needs K/N, shard K of N with 1 <= K <= N <= 10000, not '0/4'"},
        {{"--headless", "--run-script", "--shard", "5/4"},
         "option '--shard' needs K/N, shard K of N with 1 <= K <= N <= 10000, not '5/4'"},
        {{"--headless", "--run-script", "--shard=two"},
         "option '--shard' needs K/N, shard K of N with 1 <= K <= N <= 10000, not 'two'"},
        {{"--headless", "--scenario", "s", "--shard", "1/2"},
         "--shard needs --headless --run-script"},
        {{"--compare", "only.jsonl"}, "option '--compare' needs two records, BASE.jsonl NEW.jsonl"},
        {{"--compare", "a", "b", "c"}, "unexpected argument 'c'"},
        {{"--merge", "--results", "x"}, "option '--merge' needs the records of a run's shards"},
        {{"--compare", "a", "b", "--headless"},
         "--headless is an option of a run; it cannot go with --compare"},
        {{"--merge", "a", "--shard", "1/2"},
         "--shard is an option of a run; it cannot go with --merge"},
        {{"--compare", "a", "b", "--merge", "c"},
         "--compare and --merge are two commands; give one"},
        {{"--compare", "a", "b", "--results", "r.jsonl"},
         "--results is written by a run or --merge, not by --compare"},
        {{"--compare", "a", "b", "--strict", "--ignore", "RefNo"},
         "--strict ignores nothing; it cannot go with --ignore"},
        {{"--merge", "a", "--strict"}, "--strict needs --compare"},
        {{"--headless", "--run-script", "--ignore", "RefNo"}, "--ignore needs --compare"},
        {{"--compare", "a", "b", "--ignore", "<x>"},
         "option '--ignore' needs an element name (as InvoiceNo), not '<x>'"},
        {{"--compare", "a", "b", "--report", "r.html", "--report", "s.html"},
         "option '--report' given twice"},
    };
    for (const auto& [args, reason] : refused) {
        CommandLine cl;
        EXPECT_FALSE(ParseCommandLine(args, cl, error)) << reason;
        EXPECT_EQ(error, reason);
    }
    // --help names what --compare ignores unless --strict.
    EXPECT_NE(
        std::string(UsageText())
            .find("                      ignored by default: dates, times, durations, SequenceNo,\n"
                  "                      RefNo, AuthCode, AcqRefData, ProcessData, and receipt\n"),
        std::string::npos)
        << UsageText();
}

}  // namespace
}  // namespace nt
