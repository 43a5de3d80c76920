// Figures for the log writer: what LogLine costs the caller, and how fast a million entries
// reach the disk, against spdlog's async logger writing the same entries in the same run.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "log/LogWriter.h"

#ifdef NORDTELLER_HAVE_SPDLOG
#include <spdlog/async.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>
#endif

namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

constexpr int kEntries = 1'000'000;
constexpr int kLatencyCalls = 200'000;
constexpr int kRounds = 3;

// 100 bytes, like a short request line.
const std::string kMessage =
    "TRACE DATA: 00000042 "
    "<TStream><Transaction><TranCode>EMVSale</TranCode><Amount>12.34</Amount></Trans";

double Seconds(Steady::duration d) {
    return std::chrono::duration<double>(d).count();
}

uint64_t Nanos(Steady::duration d) {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
}

uint64_t Median(std::vector<uint64_t>& v) {
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

uint64_t Percentile99(std::vector<uint64_t>& v) {
    size_t at = v.size() * 99 / 100;
    std::nth_element(v.begin(), v.begin() + static_cast<long>(at), v.end());
    return v[at];
}

uintmax_t SizeOfFiles(const fs::path& dir) {
    uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        total += entry.file_size();
    }
    return total;
}

void CallerLatency(const fs::path& dir) {
    std::vector<uint64_t> calls(kLatencyCalls);
    std::vector<uint64_t> empty(kLatencyCalls);
    {
        nt::CLogWriter writer(dir.string());
        for (int i = 0; i < 1000; ++i) {
            nt::LogLine(writer, "%s", kMessage.c_str());
        }
        writer.Flush();
        for (int i = 0; i < kLatencyCalls; ++i) {
            auto t0 = Steady::now();
            nt::LogLine(writer, "%s", kMessage.c_str());
            auto t1 = Steady::now();
            calls[static_cast<size_t>(i)] = Nanos(t1 - t0);
        }
        writer.Flush();
    }
    for (int i = 0; i < kLatencyCalls; ++i) {
        auto t0 = Steady::now();
        auto t1 = Steady::now();
        empty[static_cast<size_t>(i)] = Nanos(t1 - t0);
    }
    std::printf(
        "LogLine, 100-byte message, %d calls: median %llu ns, p99 %llu ns per call "
        "(timer alone: median %llu ns)\n",
        kLatencyCalls, static_cast<unsigned long long>(Median(calls)),
        static_cast<unsigned long long>(Percentile99(calls)),
        static_cast<unsigned long long>(Median(empty)));
}

double OursSeconds(const fs::path& dir) {
    auto t0 = Steady::now();
    {
        nt::CLogWriter writer(dir.string());
        for (int i = 0; i < kEntries; ++i) {
            nt::LogLine(writer, "%s", kMessage.c_str());
        }
        writer.Flush();
    }
    return Seconds(Steady::now() - t0);
}

#ifdef NORDTELLER_HAVE_SPDLOG
double SpdlogSeconds(const fs::path& dir) {
    auto t0 = Steady::now();
    {
        auto logger =
            spdlog::basic_logger_mt<spdlog::async_factory>("bench", (dir / "spdlog.log").string());
        // The same bytes as a daily log entry.
        logger->set_formatter(std::make_unique<spdlog::pattern_formatter>(
            "[%H:%M:%S]%v\r\n----------", spdlog::pattern_time_type::local, "\r\n"));
        for (int i = 0; i < kEntries; ++i) {
            logger->info("{}", kMessage);
        }
        logger->flush();
    }
    spdlog::drop_all();
    spdlog::shutdown();  // joins the worker once it has written everything queued
    return Seconds(Steady::now() - t0);
}
#endif

}  // namespace

int main() {
    char pattern[] = "/tmp/nordteller-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path root = pattern;
    const fs::path ours = root / "ours";
    const fs::path theirs = root / "spdlog";
    fs::create_directory(ours);
    fs::create_directory(theirs);

    CallerLatency(ours);
    fs::remove_all(ours);
    fs::create_directory(ours);

    std::vector<double> oursTimes;
    std::vector<double> theirTimes;
    for (int round = 1; round <= kRounds; ++round) {
        double a = OursSeconds(ours);
        uintmax_t aBytes = SizeOfFiles(ours);
        std::printf("round %d: CLogWriter %d entries to disk: %.3f s (%ju bytes)\n", round,
                    kEntries, a, aBytes);
        oursTimes.push_back(a);
#ifdef NORDTELLER_HAVE_SPDLOG
        double b = SpdlogSeconds(theirs);
        uintmax_t bBytes = SizeOfFiles(theirs);
        std::printf("round %d: spdlog async  %d entries to disk: %.3f s (%ju bytes)\n", round,
                    kEntries, b, bBytes);
        theirTimes.push_back(b);
#endif
        fs::remove_all(ours);
        fs::remove_all(theirs);
        fs::create_directory(ours);
        fs::create_directory(theirs);
    }
    std::sort(oursTimes.begin(), oursTimes.end());
    std::printf("median CLogWriter: %.3f s\n", oursTimes[oursTimes.size() / 2]);
    if (!theirTimes.empty()) {
        std::sort(theirTimes.begin(), theirTimes.end());
        double theirs = theirTimes[theirTimes.size() / 2];
        std::printf("median spdlog async: %.3f s; spdlog / CLogWriter = %.2f\n", theirs,
                    theirs / oursTimes[oursTimes.size() / 2]);
    } else {
        std::printf("spdlog not found: no comparison\n");
    }
    fs::remove_all(root);
    return 0;
}
