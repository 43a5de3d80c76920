#include "log/LogPass.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/LogFile.h"
#include "log/LogFormat.h"
#include "platform/Codepage.h"
#include "platform/EvidenceLoss.h"

namespace nt {

namespace {

// Output is written in pieces of about this size, so a large backlog needs no large buffer.
constexpr size_t kWriteChunk = 1u << 20;
constexpr size_t kKeptBufferCapacity = 4u << 20;

// Appends entries made by append(buffer, item) and writes them in chunks; stops at the first
// failed write, which loses the rest and is noted as lost evidence of `kind`.
template <typename Items, typename Append>
void WriteEntries(LogFile& file, const Items& items, std::string& buffer, Append append,
                  EvidenceKind kind, const std::string& path) {
    buffer.clear();
    for (const auto& item : items) {
        append(buffer, item);
        if (buffer.size() >= kWriteChunk) {
            if (!file.Write(buffer)) {
                NoteLostEvidence(kind, path, errno != 0 ? errno : EIO);
                return;
            }
            buffer.clear();
        }
    }
    if (!file.Write(buffer)) {
        NoteLostEvidence(kind, path, errno != 0 ? errno : EIO);
    }
}

// The receipt's file, else its "ALT" form (the file held by another program); a name the file
// system refuses (too long, say) falls back to Receipt.txt and its "ALT" form, so no receipt
// is lost for its name. File names are UTF-8 here, the name is Windows-1252 text.
bool OpenReceiptFile(LogFile& file, const std::string& directory, const std::string& name,
                     std::string& path) {
    for (const std::string& candidate : {Cp1252ToUtf8(name), std::string("Receipt")}) {
        path = directory + "/" + candidate + ".txt";
        if (file.Open(path)) {
            return true;
        }
        const std::string first = path;
        path = directory + "/ALT" + candidate + ".txt";
        if (file.Open(path)) {
            return true;
        }
        path = first;
        if (candidate == "Receipt") {
            break;
        }
    }
    return false;
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
        LogFile file;
        std::string path;
        if (!OpenReceiptFile(file, directory, std::string(names[i]), path)) {
            NoteLostEvidence(EvidenceKind::kReceipt, path, errno != 0 ? errno : EIO);
            continue;
        }
        WriteEntries(file, groups[i], buffer, AppendReceiptEntry, EvidenceKind::kReceipt, path);
    }
}

}  // namespace

bool WriteLogBatch(const LogBatch& batch, const std::string& directory, Clock& clock,
                   std::string& buffer, std::string& failure) {
    if (!batch.main.empty()) {
        LogFile file;
        const std::string path = directory + "/" + DailyLogName(clock.Now());
        if (!file.Open(path)) {
            const int error = errno;
            failure = "cannot open " + path + ": " +
                      (error == EWOULDBLOCK ? "in use by another program" : std::strerror(error));
            return false;
        }
        WriteEntries(
            file, batch.main, buffer,
            [](std::string& out, const std::string& line) { AppendDailyEntry(out, line); },
            EvidenceKind::kDailyLog, path);
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
