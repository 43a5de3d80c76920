#include "sim/SimTerminalJournal.h"

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace nt {

namespace {

// Lines: "T|<sequence>|<count>" the counters, alone or followed by "|<entry>"; "E|<entry>" one
// booked transaction; "C" a batch close. An entry is "<reference>|<word>|<cents>|<voided>".
std::string EntryFields(const std::string& reference, const SimTerminalJournal::Booked& booked) {
    return reference + "|" + booked.word + "|" + std::to_string(booked.cents) + "|" +
           (booked.voided ? "1" : "0");
}

std::string Counters(const SimTerminalJournal& journal) {
    return "T|" + std::to_string(journal.sequence) + "|" + std::to_string(journal.batchCount);
}

// Reads the entry at f[first..first+3] into the journal; false when it makes no sense.
bool ApplyEntry(const std::vector<std::string>& f, size_t first, SimTerminalJournal& journal) {
    const std::string& word = f[first + 1];
    const auto cents = PayloadNumber(f[first + 2]);
    const std::string& voided = f[first + 3];
    if (f[first].empty() || (word != "M104" && word != "M113" && word != "M108") || !cents ||
        *cents < 0 || (voided != "0" && voided != "1")) {
        return false;
    }
    journal.booked[f[first]] = SimTerminalJournal::Booked{word, *cents, voided == "1"};
    return true;
}

bool Apply(const std::string& payload, SimTerminalJournal& journal) {
    const std::vector<std::string> f = SplitPayload(payload);
    if (f[0] == "C" && f.size() == 1) {
        journal.batchCount = 0;
        journal.booked.clear();
        return true;
    }
    if (f[0] == "E" && f.size() == 5) {
        return ApplyEntry(f, 1, journal);
    }
    if (f[0] != "T" || (f.size() != 3 && f.size() != 7)) {
        return false;
    }
    const auto sequence = PayloadNumber(f[1]);
    const auto count = PayloadNumber(f[2]);
    if (!sequence || !count || *count < 0 || *count > *sequence ||
        *sequence > std::numeric_limits<int>::max()) {
        return false;
    }
    journal.sequence = std::max(journal.sequence, static_cast<int>(*sequence));
    journal.batchCount = static_cast<int>(*count);
    return f.size() == 3 || ApplyEntry(f, 3, journal);
}

// The lines that still matter: the counters and the open batch's entries, sorted by reference
// so that the same journal always gives the same file.
std::vector<std::string> Lines(const SimTerminalJournal& journal) {
    std::vector<std::string> payloads = {Counters(journal)};
    const std::map<std::string, SimTerminalJournal::Booked> booked(journal.booked.begin(),
                                                                   journal.booked.end());
    for (const auto& [reference, entry] : booked) {
        payloads.push_back("E|" + EntryFields(reference, entry));
    }
    return payloads;
}

}  // namespace

SimTerminalJournalFile::SimTerminalJournalFile(std::string path)
    : file_(std::move(path), kTerminalJournalVersionLine, "terminal journal") {}

void SimTerminalJournalFile::Open(SimTerminalJournal& journal, bool fresh) {
    const auto load = [&] {
        SimTerminalJournal read;
        const CheckedRead whole =
            ReadCheckedLines(file_.path(), file_.versionLine(),
                             [&](const std::string& payload) { return Apply(payload, read); });
        if (whole.found && !whole.damaged) {
            journal = std::move(read);
        }
        return whole;
    };
    if (file_.Open(fresh, load)) {
        file_.Rewrite(Lines(journal));
    }
}

void SimTerminalJournalFile::RecordTransaction(const SimTerminalJournal& journal,
                                               const std::string& reference) {
    const auto it = journal.booked.find(reference);
    file_.Append(it == journal.booked.end()
                     ? Counters(journal)
                     : Counters(journal) + "|" + EntryFields(it->first, it->second),
                 [&] { return Lines(journal); });
}

void SimTerminalJournalFile::RecordClose(const SimTerminalJournal& journal) {
    file_.Append("C", [&] { return Lines(journal); });
    file_.Rewrite(Lines(journal));
}

}  // namespace nt
