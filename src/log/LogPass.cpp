#include "log/LogPass.h"

#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/LogFile.h"
#include "log/LogFormat.h"

namespace nt {

namespace {

// Output is written in pieces of about this size, so a large backlog needs no large buffer.
constexpr size_t kWriteChunk = 1u << 20;
constexpr size_t kKeptBufferCapacity = 4u << 20;

// Appends entries made by append(buffer, item) and writes them in chunks; stops at the first
// failed write.
template <typename Items, typename Append>
void WriteEntries(LogFile& file, const Items& items, std::string& buffer, Append append) {
    buffer.clear();
    for (const auto& item : items) {
        append(buffer, item);
        if (buffer.size() >= kWriteChunk) {
            if (!file.Write(buffer)) {
                return;
            }
            buffer.clear();
        }
    }
    file.Write(buffer);
}

void WriteReceipts(const std::vector<ReceiptEntry>& lines, const std::string& directory,
                   std::string& buffer) {
    // Lines grouped by file, files in the order of their first line, lines in queued order.
    std::unordered_map<std::string_view, size_t> groupOf;
    std::vector<std::vector<std::string_view>> groups;
    std::vector<std::string_view> names;
    for (const ReceiptEntry& entry : lines) {
        auto [it, added] = groupOf.try_emplace(entry.file, groups.size());
        if (added) {
            groups.emplace_back();
            names.push_back(entry.file);
        }
        groups[it->second].push_back(entry.line);
    }
    for (size_t i = 0; i < groups.size(); ++i) {
        std::string base = directory + "/";
        LogFile file;
        if (!file.Open(base + std::string(names[i]) + ".txt") &&
            !file.Open(base + "ALT" + std::string(names[i]) + ".txt")) {
            continue;
        }
        WriteEntries(file, groups[i], buffer, AppendReceiptEntry);
    }
}

}  // namespace

bool WriteLogBatch(const LogBatch& batch, const std::string& directory, Clock& clock,
                   std::string& buffer) {
    if (!batch.main.empty()) {
        LogFile file;
        if (!file.Open(directory + "/" + DailyLogName(clock.Now()))) {
            return false;
        }
        WriteEntries(file, batch.main, buffer, [](std::string& out, const std::string& line) {
            AppendDailyEntry(out, line);
        });
    }
    if (!batch.receipt.empty()) {
        WriteReceipts(batch.receipt, directory, buffer);
    }
    if (buffer.capacity() > kKeptBufferCapacity) {
        std::string().swap(buffer);
    }
    return true;
}

}  // namespace nt
