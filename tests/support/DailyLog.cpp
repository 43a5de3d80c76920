#include "support/DailyLog.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nt::test {

std::string DailyLog(CLogWriter& writer) {
    EXPECT_TRUE(writer.Flush()) << "the log writer stopped: " << writer.StopReason();
    std::string all;
    for (const auto& e : std::filesystem::directory_iterator(kLogDirectory)) {
        if (e.path().filename().string().starts_with("CAN")) {
            all += ReadFile(e.path().string());
        }
    }
    return all;
}

std::vector<std::string> LogEntries(CLogWriter& writer) {
    std::string log = DailyLog(writer);
    std::string text;
    for (size_t i = 0; i < log.size(); ++i) {
        if (log.compare(i, 2, "\r\n") == 0) {
            text += '\n';
            ++i;
        } else {
            text += log[i];
        }
    }
    std::vector<std::string> entries;
    const std::string separator = "\n----------\n";
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size()) {
        entries.push_back(text.substr(start + 10, end - start - 10));  // "[HH:MM:SS]" dropped
    }
    return entries;
}

}  // namespace nt::test
