#include "sim/SimJournalFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

namespace nt::sim {

namespace {

constexpr size_t kEntryFields = 18;

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
        const auto v = PayloadNumber(f[i]);
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
// The transaction count only grows while the lines are read.
void CountAtLeast(SimJournal& journal, int64_t count) {
    journal.Restore(journal.BatchNo(), std::max(journal.TranNo(), static_cast<int>(count)));
}

bool Apply(const std::string& payload, SimJournal& journal) {
    const std::vector<std::string> f = SplitPayload(payload);
    const std::string& kind = f[0];
    if (kind == "B" && f.size() == 3) {
        const auto batch = PayloadNumber(f[1]);
        const auto count = PayloadNumber(f[2]);
        if (!batch || !count || !journal.Entries().empty()) {
            return false;
        }
        journal.Restore(static_cast<int>(*batch), static_cast<int>(*count));
        return true;
    }
    if (kind == "X" && f.size() == 3) {
        const auto ref = Unescape(f[1]);
        const auto batch = PayloadNumber(f[2]);
        if (!ref || !batch) {
            return false;
        }
        journal.RestoreClosed(*ref, static_cast<int>(*batch));
        return true;
    }
    if (kind == "N" && f.size() == 2) {
        const auto count = PayloadNumber(f[1]);
        if (!count) {
            return false;
        }
        CountAtLeast(journal, *count);
        return true;
    }
    if (kind == "C" && f.size() == 1) {
        journal.Close();
        return true;
    }
    if (kind == "E" && f.size() == kEntryFields + 2) {
        const auto position = PayloadNumber(f[1]);
        const std::optional<JournalEntry> entry = ParseEntry(f);
        if (!position || *position < 0 || !entry ||
            !journal.RestoreEntry(static_cast<size_t>(*position), *entry)) {
            return false;
        }
        CountAtLeast(journal, entry->tranNo);
        return true;
    }
    return false;
}

// The lines that still matter: the batch and count, closed references, the open entries.
std::vector<std::string> Lines(const SimJournal& journal) {
    std::vector<std::string> payloads = {"B|" + std::to_string(journal.BatchNo()) + "|" +
                                         std::to_string(journal.TranNo())};
    // Sorted, so that the same journal always gives the same file.
    const std::map<std::string, int> closed(journal.ClosedReferences().begin(),
                                            journal.ClosedReferences().end());
    for (const auto& [ref, batch] : closed) {
        payloads.push_back("X|" + Escape(ref) + "|" + std::to_string(batch));
    }
    for (size_t i = 0; i < journal.Entries().size(); ++i) {
        payloads.push_back(EntryPayload(i, journal.Entries()[i]));
    }
    return payloads;
}

}  // namespace

JournalLoad LoadJournal(const std::string& path, SimJournal& journal) {
    SimJournal read;
    const JournalLoad load = ReadCheckedLines(path, kJournalVersionLine,
                                              [&](const std::string& p) { return Apply(p, read); });
    if (load.found && !load.damaged) {
        journal = std::move(read);
    }
    return load;
}

SimJournalFile::SimJournalFile(std::string path)
    : file_(std::move(path), kJournalVersionLine, "simulator journal") {}

void SimJournalFile::Open(SimJournal& journal, bool fresh) {
    if (file_.Open(fresh, [&] { return LoadJournal(file_.path(), journal); })) {
        file_.Rewrite(Lines(journal));
    }
}

void SimJournalFile::RecordEntry(const SimJournal& journal, size_t position) {
    file_.Append(EntryPayload(position, journal.Entries()[position]),
                 [&] { return Lines(journal); });
}

void SimJournalFile::RecordTranNo(const SimJournal& journal) {
    file_.Append("N|" + std::to_string(journal.TranNo()), [&] { return Lines(journal); });
}

void SimJournalFile::RecordClose(const SimJournal& journal) {
    file_.Append("C", [&] { return Lines(journal); });
    file_.Rewrite(Lines(journal));
}

}  // namespace nt::sim
