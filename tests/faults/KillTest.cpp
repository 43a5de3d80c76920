// The program killed at random moments during a stream of Sales against the simulator, from a
// scenario and from a script run: the sequence file is always a whole ten-digit number, and never
// goes back to an older one; the simulator's journal file always reads back, never loses an entry
// and holds every sale whose answer reached the sequence file. NORDTELLER_KILLS sets the number of
// kills (50 by default; the hardening run uses 1,000).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pos/SequenceStore.h"
#include "sim/SimJournalFile.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;

std::string SaleStream(int sales) {
    std::string scenario = "set 1002 1000\n";
    for (int i = 0; i < sales; ++i) {
        scenario += "click 1004\n";
    }
    return scenario;
}

// A Script.csv of as many Sales.
std::string SaleScript(int sales) {
    std::string script;
    for (int i = 0; i < sales; ++i) {
        script += "Run,10,,,,Sale,0,0,Sale " + std::to_string(i) + "\r\n";
    }
    return script;
}

// Starts the headless program on `scenario` from standard input (or, when runScript, running
// Script.csv with its default answers), waits `delayUs`, kills it with SIGKILL and reaps it.
// True when the kill met a running program.
bool RunAndKill(const std::string& scenario, bool runScript, useconds_t delayUs) {
    int in[2];
    if (::pipe(in) != 0) {
        return false;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::close(in[0]);
        ::close(in[1]);
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        const char* binary = NORDTELLER_BINARY_DIR "/nordteller";
        if (runScript) {
            ::execl(binary, binary, "--headless", "--run-script", static_cast<char*>(nullptr));
        } else {
            ::execl(binary, binary, "--headless", "--scenario", "-", static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    ::close(in[0]);
    // The whole scenario is read before start-up; a program already killed closes the pipe.
    ::signal(SIGPIPE, SIG_IGN);
    size_t sent = 0;
    while (sent < scenario.size()) {
        ssize_t n = ::write(in[1], scenario.data() + sent, scenario.size() - sent);
        if (n <= 0) {
            break;
        }
        sent += static_cast<size_t>(n);
    }
    ::close(in[1]);
    ::usleep(delayUs);
    const bool running = ::kill(pid, SIGKILL) == 0;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return running && WIFSIGNALED(status);
}

size_t Strays() {
    const std::vector<std::string> names = test::Entries();
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [](const std::string& n) {
        return n.starts_with(".testseqNo.dat.nordteller-") ||
               n.starts_with(".simjournal.dat.nordteller-");
    }));
}

bool IsTenDigits(const std::string& text) {
    return text.size() == 10 && IsAllDigits(text);
}

// Commands from a scenario save as they end; a script run saves behind its commands.
class KillTest : public ::testing::TestWithParam<bool> {};

TEST_P(KillTest, SequenceFileIsAlwaysTheOldOrTheNewNumber) {
    const bool runScript = GetParam();
    test::TempDir dir;
    const char* env = std::getenv("NORDTELLER_KILLS");
    const int kills = env != nullptr ? std::atoi(env) : 50;
    const std::string scenario = runScript ? std::string() : SaleStream(5000);
    if (runScript) {
        test::WriteFile("Script.csv", SaleScript(5000));
    }
    std::mt19937 random(20260307);
    // Start-up plus up to a few hundred Sales: kills land in start-up, mid-command, mid-save.
    std::uniform_int_distribution<useconds_t> delay(0, 250000);

    std::string last;
    int killed = 0;
    int advanced = 0;
    int tornTails = 0;
    size_t booked = 0;
    for (int i = 0; i < kills; ++i) {
        // Every tenth run lives long enough to answer even in a slow (sanitized, loaded) build.
        const useconds_t wait = i % 10 == 9 ? 1000000 + delay(random) : delay(random);
        killed += RunAndKill(scenario, runScript, wait) ? 1 : 0;
        sim::SimJournal journal;
        const sim::JournalLoad load = sim::LoadJournal(sim::kJournalFileName, journal);
        ASSERT_FALSE(load.damaged) << "kill " << i << ": " << load.why;
        tornTails += load.tornTail ? 1 : 0;
        ASSERT_GE(journal.Entries().size(), booked) << "kill " << i << " lost a journal entry";
        booked = journal.Entries().size();
        const std::string now = ReadFile(kSequenceFileName);
        if (now == "<missing>" && last.empty()) {
            continue;  // killed before the first start-up saved anything
        }
        ASSERT_TRUE(IsTenDigits(now)) << "kill " << i << " left \"" << now << "\"";
        ASSERT_GE(now, last) << "kill " << i << " lost a saved number";
        // Each Sale's answer is in the journal before its number reaches the sequence file.
        const size_t answered = static_cast<size_t>(std::stoll(now) - 10010010) / 10;
        ASSERT_GE(booked, answered) << "kill " << i << ": the journal is older than the answers";
        advanced += !last.empty() && now != last ? 1 : 0;
        last = now;
    }
    const size_t strays = Strays();
    std::printf(
        "%s kills: %d of %d met a running program; the number advanced after %d; %zu "
        "unfinished temporary files left; %zu journal entries, %d torn last lines dropped\n",
        runScript ? "script run" : "scenario", killed, kills, advanced, strays, booked, tornTails);
    EXPECT_GT(killed, kills / 2);
    EXPECT_GT(advanced, 0);  // runs got past start-up: kills landed among the Sales' saves

    // Once they are old enough to belong to no running save, the next start-up clears them
    // (one is planted, so there is always one to clear).
    test::WriteFile(".testseqNo.dat.nordteller-Zq1Zq1.tmp", "00100");
    test::WriteFile(".simjournal.dat.nordteller-Zq1Zq1.tmp", "NORDTELLER");
    for (const auto& e : std::filesystem::directory_iterator(".")) {
        std::filesystem::last_write_time(
            e.path(), std::filesystem::last_write_time(e.path()) - std::chrono::minutes(2));
    }
    EXPECT_EQ(test::Nordteller("--headless --scenario /dev/null").status, 0);
    EXPECT_EQ(Strays(), 0u);
    EXPECT_EQ(ReadFile(kSequenceFileName), last);
    sim::SimJournal journal;
    const sim::JournalLoad load = sim::LoadJournal(sim::kJournalFileName, journal);
    EXPECT_FALSE(load.damaged || load.tornTail);  // start-up rewrote it whole
    EXPECT_EQ(journal.Entries().size(), booked);
}

// Starts an unattended script run of the simulator with the three reports, reads its progress on
// stderr until `rows` test cases were told, sends `signal` and reads on to its end. The exit
// status, or -1 when it did not exit by itself within a generous deadline (then it is killed).
int RunAndStop(int rows, int signal) {
    int err[2];
    if (::pipe(err) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(err[1], STDERR_FILENO);
        ::close(err[0]);
        ::close(err[1]);
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        const char* binary = NORDTELLER_BINARY_DIR "/nordteller";
        ::execl(binary, binary, "--headless", "--run-script", "--junit", "report.xml", "--report",
                "report.html", "--results", "results.jsonl", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(err[1]);
    const std::string mark = "nordteller: test case " + std::to_string(rows) + " of ";
    std::string told;
    bool sent = false;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;) {
        told.append(buffer, static_cast<size_t>(n));
        if (!sent && told.find(mark) != std::string::npos) {
            sent = ::kill(pid, signal) == 0;
        }
    }
    ::close(err[0]);
    const int status = test::ExitStatusOf(pid);
    return sent ? status : -1;
}

// SIGINT or SIGTERM during a long script run: the test case in progress finishes, the number of
// its response is the one in the sequence file, the reports replace the last run's and say the
// run was interrupted, no temporary file is left, and the status is 128 + the signal.
TEST(StopSignal, ScriptRunStopsCleanlyAtTheNextRow) {
    for (const int signal : {SIGINT, SIGTERM}) {
        test::TempDir dir;
        test::WriteFile("Script.csv", SaleScript(20000));
        test::WriteFile("report.xml", "the report of the run before");
        test::WriteFile("report.html", "the report of the run before");
        EXPECT_EQ(RunAndStop(30, signal), 128 + signal);

        sim::SimJournal journal;
        ASSERT_FALSE(sim::LoadJournal(sim::kJournalFileName, journal).damaged);
        const size_t sales = journal.Entries().size();
        EXPECT_GE(sales, 30u);
        EXPECT_LT(sales, 20000u);
        // Every Sale answered has its number in the file: the next run sends a new one.
        EXPECT_EQ(ReadFile(kSequenceFileName),
                  "00" + std::to_string(10010010 + 10 * static_cast<long long>(sales)));
        const std::string xml = ReadFile("report.xml");
        EXPECT_NE(xml.find("tests=\"" + std::to_string(sales) + "\""), std::string::npos)
            << xml.substr(0, 400);
        EXPECT_NE(xml.find("<property name=\"interrupted\" value=\"interrupted by " +
                           std::string(signal == SIGINT ? "SIGINT" : "SIGTERM") +
                           " after test case " + std::to_string(sales) + " of 20000"),
                  std::string::npos)
            << xml.substr(0, 400);
        EXPECT_NE(ReadFile("report.html").find("Interrupted"), std::string::npos);
        const std::string record = ReadFile("results.jsonl");
        EXPECT_NE(record.find("\"interrupted\":true}\n"), std::string::npos)
            << record.substr(record.size() > 300 ? record.size() - 300 : 0);
        for (const std::string& name : test::Entries()) {
            EXPECT_FALSE(name.ends_with(".tmp")) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, KillTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "ScriptRun" : "Scenario";
                         });

}  // namespace
}  // namespace nt
