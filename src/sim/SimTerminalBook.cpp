#include "sim/SimTerminalBook.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/EnvironmentSwitch.h"

namespace nt {

namespace {

constexpr const char* kDeclineCents = ".51";

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string Format(const char* format, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// "$12.34", "-$1.00"
std::string Money(long long cents) {
    const long long magnitude = cents < 0 ? -cents : cents;
    return std::string(cents < 0 ? "-$" : "$") + std::to_string(magnitude / 100) +
           Format(".%02lld", magnitude % 100);
}

// "12.34" -> 1234; anything that is not digits and one point counts as 0, and so does an
// amount of more than 15 digits (no till takes one, and a batch of them still sums safely).
long long Cents(const std::string& amount) {
    long long cents = 0;
    for (char c : amount) {
        if (c >= '0' && c <= '9') {
            cents = cents * 10 + (c - '0');
        } else if (c != '.') {
            return 0;
        }
        if (cents >= 1'000'000'000'000'000) {
            return 0;
        }
    }
    return cents;
}

const char* KindName(const std::string& word) {
    static constexpr struct {
        const char* word;
        const char* name;
    } kNames[] = {{"M104", "SALE"},        {"M101", "PRE-AUTHORIZATION"},
                  {"M108", "RETURN"},      {"M109", "VOID SALE"},
                  {"M110", "VOID RETURN"}, {"M112", "CASH OUT"},
                  {"M113", "VOICE AUTH"},  {"M120", "ISSUE"},
                  {"M139", "VOID ISSUE"}};
    for (const auto& entry : kNames) {
        if (word == entry.word) {
            return entry.name;
        }
    }
    return "FOLLOW-ON";
}

// +1 adds to the batch's net, -1 subtracts, 0 counts without changing it. A void takes its
// original out of the net instead.
int NetSign(const std::string& word) {
    if (word == "M104" || word == "M113") {
        return 1;
    }
    return word == "M108" ? -1 : 0;
}

std::string AdminText(const std::string& word) {
    if (word == "T90") {
        return "200 T90 TEST MODE ON";
    }
    if (word == "E7") {
        return "200 E7 PAD RESET";
    }
    if (word == "I107") {
        return "200 I107 KEY CHANGE DONE";
    }
    if (word == "I108") {
        return "200 I108 PARAMETERS LOADED";
    }
    if (word == "P96") {
        return "200 P96 NORDSIM 1.0";
    }
    return "999 " + word + " UNKNOWN COMMAND";
}

}  // namespace

SimTerminalBookFile SimTerminalBookFileFromEnvironment() {
    return {kTerminalJournalFileName, EnvironmentSwitch("NORDTELLER_SIM_FRESH")};
}

SimTerminalBook::SimTerminalBook(const SimTerminalBookFile& file) {
    if (!file.path.empty()) {
        file_ = std::make_unique<SimTerminalJournalFile>(file.path);
        file_->Open(journal_, file.fresh);
    }
}

std::optional<SimTerminalBook::Answer> SimTerminalBook::Respond(const std::string& line,
                                                                const LocalTime& now) {
    if (Words(line).empty()) {
        return std::nullopt;
    }
    if (line.rfind("AT&U", 0) != 0) {
        return Transact("", line, now);  // a follow-on line has no command word
    }
    const size_t blank = line.find(' ');
    const std::string word = line.substr(4, blank == std::string::npos ? blank : blank - 4);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (word.starts_with("M")) {
        return Transact(word, rest, now);
    }
    if (word == "I109") {
        return Details(rest);
    }
    if (word == "I7" || word == "B3") {
        return Batch(word, word == "B3");
    }
    return Answer{"\r\n" + AdminText(word) + "\r\n", kAdminDelayMs};
}

std::string SimTerminalBook::VoidReason(const std::string& word,
                                        const std::string& reference) const {
    const auto it = journal_.booked.find(reference);
    if (it == journal_.booked.end()) {
        return "NO MATCHING TRANSACTION";
    }
    if (it->second.voided) {
        return "ALREADY VOIDED";
    }
    return (NetSign(it->second.word) < 0) == (word == "M110") ? "" : "WRONG TRANSACTION TYPE";
}

SimTerminalBook::Answer SimTerminalBook::Transact(const std::string& word,
                                                  const std::string& fields, const LocalTime& now) {
    const std::vector<std::string> values = Words(fields);
    Transaction t;
    t.word = word.empty() ? "M000" : word;
    t.gift = !values.empty() && values[0] == "6";
    t.amount = values.size() > 6 && values[6] != "*" ? values[6] : "0.00";
    t.approved = !t.amount.ends_with(kDeclineCents);
    std::string reason;
    const bool isVoid = t.word == "M109" || t.word == "M110";
    const std::string original = values.size() > 8 ? values[8] : "";
    if (t.approved && isVoid) {
        reason = VoidReason(t.word, original);
        t.approved = reason.empty();
    }
    t.sequence = ++journal_.sequence;
    t.auth = t.approved ? Format("A%05lld", t.sequence) : "000000";
    t.reference = Format("R%07lld", t.sequence);
    t.when = now;
    std::string changed;  // the reference of the entry this transaction books or voids
    if (t.approved) {
        ++journal_.batchCount;
        if (isVoid) {
            journal_.booked[original].voided = true;
            changed = original;
        } else if (NetSign(t.word) != 0) {
            journal_.booked[t.reference] = {t.word, Cents(t.amount), false};
            changed = t.reference;
        }
    }
    if (file_) {
        file_->RecordTransaction(journal_, changed);  // before the reply leaves
    }
    const std::string text = !reason.empty() ? reason : t.approved ? "APPROVED" : "DECLINED";
    const std::string reply = "\r\n" + std::string(t.approved ? "200 " : "051 ") + t.word + " " +
                              Format("%04lld", t.sequence) + " " + t.amount + " " + t.auth + " " +
                              t.reference + " " + text + "\r\n";
    last_ = t;
    return Answer{reply, kTransactionDelayMs};
}

SimTerminalBook::Answer SimTerminalBook::Details(const std::string& arguments) const {
    if (!last_) {
        return Answer{"\r\nNO TRANSACTION\r\nEOD 0000\r\n", kDetailsDelayMs};
    }
    std::string invoice = arguments;
    if (invoice.ends_with(" 222")) {
        invoice.resize(invoice.size() - 4);
    }
    const Transaction& t = *last_;
    char when[64];
    std::snprintf(when, sizeof when, "DATE: %02d/%02d/%02d  TIME: %02d:%02d:%02d", t.when.month,
                  t.when.day, t.when.year % 100, t.when.hour, t.when.minute, t.when.second);
    std::string reply = "\r\n";
    for (const std::string& line :
         {std::string(KindName(t.word)),
          std::string(t.gift ? "CARD: GIFT ************0006" : "CARD: VISA ************4242"),
          std::string(when), "INVOICE: " + invoice, "SEQ: " + Format("%04lld", t.sequence),
          "AUTH: " + t.auth, "REF: " + t.reference, "AMOUNT: " + Money(Cents(t.amount)),
          std::string(t.approved ? "APPROVED - THANK YOU" : "DECLINED 051")}) {
        reply += line + "\r\n";
    }
    reply += "EOD " + Format("%04lld", t.sequence) + "\r\n";
    return Answer{reply, kDetailsDelayMs};
}

SimTerminalBook::Answer SimTerminalBook::Batch(const std::string& word, bool close) {
    long long net = 0;
    for (const auto& [reference, booked] : journal_.booked) {
        net += booked.voided ? 0 : NetSign(booked.word) * booked.cents;
    }
    std::string reply = "\r\n200 " + word + (close ? " BATCH CLOSED" : " BATCH TOTALS") +
                        "\r\nCOUNT " + Format("%04lld", journal_.batchCount) + "\r\nNET " +
                        Money(net) + "\r\n";
    if (close) {
        journal_.batchCount = 0;
        journal_.booked.clear();
        if (file_) {
            file_->RecordClose(journal_);
        }
    }
    return Answer{reply, kAdminDelayMs};
}

}  // namespace nt
