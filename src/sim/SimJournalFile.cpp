#include "sim/SimJournalFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "platform/StaleTemporaries.h"
#include "platform/TextFile.h"
#include "platform/WriteFault.h"

namespace nt::sim {

namespace {

constexpr size_t kEntryFields = 18;

uint32_t Checksum(const std::string& text) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

// Field texts come from requests: separators, escapes and control bytes become %XX.
std::string Escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == '%' || c == '|' || c == '*' || c == 0x7F) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            return std::nullopt;
        }
        out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    return out;
}

std::vector<std::string> Split(const std::string& payload) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        const size_t bar = payload.find('|', begin);
        fields.push_back(payload.substr(begin, bar - begin));
        if (bar == std::string::npos) {
            return fields;
        }
        begin = bar + 1;
    }
}

std::optional<int64_t> Number(const std::string& text) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() <= first || text.size() > 18) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

std::string EntryPayload(size_t position, const JournalEntry& e) {
    const auto n = [](int64_t v) { return std::to_string(v); };
    std::string p = "E|" + n(static_cast<int64_t>(position));
    for (const std::string& field :
         {n(e.batchNo), n(e.tranNo), n(static_cast<int>(e.kind)), n(static_cast<int>(e.state)),
          n(e.stored), Escape(e.tranCode), Escape(e.refNo), Escape(e.authCode),
          Escape(e.acqRefData), Escape(e.recordNo), Escape(e.invoiceNo),
          n(static_cast<int>(e.brand)), n(e.keyed), n(e.signature), n(e.purchase), n(e.gratuity),
          n(e.cashBack), n(e.authorized)}) {
        p += "|" + field;
    }
    return p;
}

std::optional<JournalEntry> ParseEntry(const std::vector<std::string>& f) {
    std::vector<int64_t> numbers;
    for (size_t i : {2, 3, 4, 5, 6, 13, 14, 15, 16, 17, 18, 19}) {
        const auto v = Number(f[i]);
        if (!v) {
            return std::nullopt;
        }
        numbers.push_back(*v);
    }
    std::vector<std::string> texts;
    for (size_t i = 7; i <= 12; ++i) {
        auto t = Unescape(f[i]);
        if (!t) {
            return std::nullopt;
        }
        texts.push_back(std::move(*t));
    }
    if (numbers[2] < 0 || numbers[2] > 2 || numbers[3] < 0 || numbers[3] > 4 || numbers[5] < 0 ||
        numbers[5] > 2) {
        return std::nullopt;
    }
    JournalEntry e;
    e.batchNo = static_cast<int>(numbers[0]);
    e.tranNo = static_cast<int>(numbers[1]);
    e.kind = static_cast<EntryKind>(numbers[2]);
    e.state = static_cast<EntryState>(numbers[3]);
    e.stored = numbers[4] != 0;
    e.tranCode = texts[0];
    e.refNo = texts[1];
    e.authCode = texts[2];
    e.acqRefData = texts[3];
    e.recordNo = texts[4];
    e.invoiceNo = texts[5];
    e.brand = static_cast<CardBrand>(numbers[5]);
    e.keyed = numbers[6] != 0;
    e.signature = numbers[7] != 0;
    e.purchase = numbers[8];
    e.gratuity = numbers[9];
    e.cashBack = numbers[10];
    e.authorized = numbers[11];
    return e;
}

// Applies one checked line; false when it makes no sense.
bool Apply(const std::string& payload, SimJournal& journal, int& tranNo) {
    const std::vector<std::string> f = Split(payload);
    const std::string& kind = f[0];
    if (kind == "B" && f.size() == 3) {
        const auto batch = Number(f[1]);
        const auto count = Number(f[2]);
        if (!batch || !count || !journal.Entries().empty()) {
            return false;
        }
        journal.Restore(static_cast<int>(*batch), static_cast<int>(*count));
        tranNo = static_cast<int>(*count);
        return true;
    }
    if (kind == "X" && f.size() == 3) {
        const auto ref = Unescape(f[1]);
        const auto batch = Number(f[2]);
        if (!ref || !batch) {
            return false;
        }
        journal.RestoreClosed(*ref, static_cast<int>(*batch));
        return true;
    }
    if (kind == "N" && f.size() == 2) {
        const auto count = Number(f[1]);
        if (!count) {
            return false;
        }
        tranNo = std::max(tranNo, static_cast<int>(*count));
        return true;
    }
    if (kind == "C" && f.size() == 1) {
        journal.Close();
        return true;
    }
    if (kind == "E" && f.size() == kEntryFields + 2) {
        const auto position = Number(f[1]);
        const std::optional<JournalEntry> entry = ParseEntry(f);
        if (!position || *position < 0 || !entry ||
            !journal.RestoreEntry(static_cast<size_t>(*position), *entry)) {
            return false;
        }
        tranNo = std::max(tranNo, entry->tranNo);
        return true;
    }
    return false;
}

// "<path>.damaged-<n>" with the first n no file has.
std::string SetAsideName(const std::string& path) {
    for (int n = 1;; ++n) {
        std::string name = path + ".damaged-" + std::to_string(n);
        if (::access(name.c_str(), F_OK) != 0) {
            return name;
        }
    }
}

}  // namespace

JournalLoad LoadJournal(const std::string& path, SimJournal& journal) {
    JournalLoad load;
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        return load;
    }
    load.found = true;
    const std::string header = std::string(kJournalVersionLine) + "\n";
    if (content->compare(0, header.size(), header) != 0) {
        load.damaged = true;
        load.why = "line 1: not a journal of this version";
        return load;
    }
    SimJournal read;
    int tranNo = 0;
    size_t begin = header.size();
    for (int line = 2; begin < content->size(); ++line) {
        const size_t end = content->find('\n', begin);
        if (end == std::string::npos) {
            load.tornTail = true;
            break;
        }
        const std::string text = content->substr(begin, end - begin);
        begin = end + 1;
        const size_t star = text.rfind('*');
        char sum[16];
        if (star != std::string::npos) {
            std::snprintf(sum, sizeof sum, "%08x", Checksum(text.substr(0, star)));
        }
        if (star == std::string::npos || text.substr(star + 1) != sum ||
            !Apply(text.substr(0, star), read, tranNo)) {
            load.damaged = true;
            load.why = "line " + std::to_string(line) + ": fails its check";
            return load;
        }
    }
    read.Restore(read.BatchNo(), tranNo);
    journal = std::move(read);
    return load;
}

SimJournalFile::~SimJournalFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void SimJournalFile::Open(SimJournal& journal, bool fresh) {
    RemoveStaleTemporaries(path_);
    if (fresh) {
        if (::access(path_.c_str(), F_OK) == 0) {
            Compact(journal);
        }
        return;
    }
    const JournalLoad load = LoadJournal(path_, journal);
    if (load.damaged) {
        const std::string aside = SetAsideName(path_);
        const bool moved = ::rename(path_.c_str(), aside.c_str()) == 0;
        std::fprintf(stderr, "nordteller: the simulator journal %s is damaged (%s); %s\n",
                     path_.c_str(), load.why.c_str(),
                     moved ? ("set aside as " + aside + ", starting a fresh journal").c_str()
                           : "it cannot be set aside, starting a fresh journal");
        return;
    }
    if (load.found) {
        Compact(journal);
    }
}

void SimJournalFile::RecordEntry(const SimJournal& journal, size_t position) {
    Append(journal, EntryPayload(position, journal.Entries()[position]));
}

void SimJournalFile::RecordTranNo(const SimJournal& journal) {
    Append(journal, "N|" + std::to_string(journal.TranNo()));
}

void SimJournalFile::RecordClose(const SimJournal& journal) {
    Append(journal, "C");
    Compact(journal);
}

void SimJournalFile::Append(const SimJournal& journal, const std::string& payload) {
    if (behind_) {
        // A line was lost: only a whole rewrite brings the file up to date again.
        Compact(journal);
        return;
    }
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
    std::string line;
    const off_t size = fd_ < 0 ? -1 : ::lseek(fd_, 0, SEEK_END);
    if (size == 0) {
        line = std::string(kJournalVersionLine) + "\n";
    }
    char sum[16];
    std::snprintf(sum, sizeof sum, "*%08x\n", Checksum(payload));
    line += payload + sum;
    // One write per line (the kernel may still cut it short): a killed process leaves whole
    // lines and at most one torn last one.
    size_t done = 0;
    while (size >= 0 && done < line.size()) {
        const ssize_t n = WriteSome(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno != EINTR) {
            break;
        }
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    if (size >= 0 && done == line.size()) {
        return;
    }
    const int error = errno;
    // A line cut short (a full disk) is taken back, so the file keeps only whole lines.
    if (size >= 0 && ::ftruncate(fd_, size) != 0) {
        std::fprintf(stderr, "nordteller: the simulator journal %s ends in a cut line: %s\n",
                     path_.c_str(), std::strerror(errno));
    }
    behind_ = true;
    if (!warned_) {
        std::fprintf(stderr, "nordteller: cannot write the simulator journal %s: %s\n",
                     path_.c_str(), std::strerror(error));
        warned_ = true;
    }
}

void SimJournalFile::Compact(const SimJournal& journal) {
    auto line = [](const std::string& payload) {
        char sum[16];
        std::snprintf(sum, sizeof sum, "*%08x\n", Checksum(payload));
        return payload + sum;
    };
    std::string content = std::string(kJournalVersionLine) + "\n";
    content +=
        line("B|" + std::to_string(journal.BatchNo()) + "|" + std::to_string(journal.TranNo()));
    // Sorted, so that the same journal always gives the same file.
    const std::map<std::string, int> closed(journal.ClosedReferences().begin(),
                                            journal.ClosedReferences().end());
    for (const auto& [ref, batch] : closed) {
        content += line("X|" + Escape(ref) + "|" + std::to_string(batch));
    }
    for (size_t i = 0; i < journal.Entries().size(); ++i) {
        content += line(EntryPayload(i, journal.Entries()[i]));
    }
    if (!WriteFileAtomic(path_, content)) {
        return;  // the file stays as it was, whole, and as current as its last line
    }
    behind_ = false;
    // The appends go on in the file that replaced the old one.
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace nt::sim
