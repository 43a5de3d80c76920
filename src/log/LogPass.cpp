#include "log/LogPass.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/LogFile.h"
#include "log/LogFormat.h"
#include "platform/Codepage.h"
#include "platform/DataFolder.h"
#include "platform/EvidenceLoss.h"
#include "platform/WriteTarget.h"

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

// The receipt's file, else its "ALT" form (the file held by another program, or not a regular
// file); a name the file system refuses (too long, say) falls back to Receipt.txt and its "ALT"
// form, so no receipt is lost for its name. File names are UTF-8 here, the name is
// Windows-1252 text. Returns the path opened, empty when none could be; `notes` gets a line for
// each name passed over for not being a regular file, which nobody would notice otherwise.
std::string OpenReceiptFile(LogFile& file, const std::string& directory, const std::string& name,
                            std::vector<std::string>& notes) {
    std::vector<std::string> refused;
    std::string opened;
    for (const std::string& candidate : {Cp1252ToUtf8(name), std::string("Receipt")}) {
        for (const char* prefix : {"/", "/ALT"}) {
            const std::string path = directory + prefix + candidate + ".txt";
            if (file.Open(path)) {
                opened = path;
                break;
            }
            if (errno == kNotRegularFile) {
                refused.push_back(path);
            }
        }
        if (!opened.empty() || candidate == "Receipt") {
            break;
        }
    }
    for (const std::string& path : refused) {
        notes.push_back(
            "receipt file " + path + " is not a regular file; " +
            (opened.empty() ? "the receipt is not kept" : "the receipt goes to " + opened));
    }
    return opened;
}

void WriteReceipts(const std::vector<ReceiptEntry>& lines, const std::string& directory,
                   std::string& buffer, std::vector<std::string>& notes) {
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
        const std::string path = OpenReceiptFile(file, directory, std::string(names[i]), notes);
        if (path.empty()) {
            NoteLostEvidence(EvidenceKind::kReceipt,
                             directory + "/" + Cp1252ToUtf8(std::string(names[i])) + ".txt",
                             errno != 0 ? errno : EIO);
            continue;
        }
        WriteEntries(file, groups[i], buffer, AppendReceiptEntry, EvidenceKind::kReceipt, path);
    }
}

}  // namespace

namespace {

// Why the daily log cannot be opened. A log folder that is missing is told by why it could not be
// made (a read-only file system, a folder without write permission), which is what the user can
// mend; "No such file or directory" alone would point at the wrong thing.
std::string OpenFailure(int error, const std::string& directory) {
    if (error == EWOULDBLOCK) {
        return "in use by another program";
    }
    struct stat info {};
    if (error == ENOENT && ::stat(directory.c_str(), &info) != 0) {
        const std::string parent = FolderOf(directory);
        if (::access(parent.c_str(), W_OK) != 0) {
            return "the log folder " + directory + " could not be made: " + FileErrorText(errno);
        }
        return "the log folder " + directory + " is missing";
    }
    return FileErrorText(error);
}

}  // namespace

bool WriteLogBatch(const LogBatch& batch, const std::string& directory, Clock& clock,
                   std::string& buffer, std::string& failure) {
    if (!batch.main.empty()) {
        LogFile file;
        const std::string path = directory + "/" + DailyLogName(clock.Now());
        if (!file.Open(path)) {
            failure = "cannot open " + path + ": " + OpenFailure(errno, directory);
            return false;
        }
        WriteEntries(
            file, batch.main, buffer,
            [](std::string& out, const std::string& line) { AppendDailyEntry(out, line); },
            EvidenceKind::kDailyLog, path);
    }
    std::vector<std::string> notes;
    if (!batch.receipt.empty()) {
        WriteReceipts(batch.receipt, directory, buffer, notes);
    }
    LogFile daily;
    // Best effort: a daily log that cannot be opened now leaves the notes unsaid.
    // The clock is read only when there is something to note: nothing of the pass runs after its
    // last entry is written.
    const std::string dailyPath =
        notes.empty() ? std::string() : directory + "/" + DailyLogName(clock.Now());
    if (!notes.empty() && daily.Open(dailyPath)) {
        const std::string stamp = TimeStamp(clock.Now());
        WriteEntries(
            daily, notes, buffer,
            [&stamp](std::string& out, const std::string& note) {
                AppendDailyEntry(out, stamp + note);
            },
            EvidenceKind::kDailyLog, dailyPath);
    }
    if (buffer.capacity() > kKeptBufferCapacity) {
        std::string().swap(buffer);
    }
    return true;
}

}  // namespace nt
