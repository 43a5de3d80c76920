// Arbitrary sequences of card transactions, follow-ons on real and made-up references, offline
// sales, forwarding, batch closes and restarts against the simulated payment client with its
// journal file. After every step the BatchSummary totals must equal the sums of what the
// journal file holds, and add up among themselves.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "platform/Clock.h"
#include "sim/SimJournalFile.h"
#include "sim/SimulatedClient.h"

namespace {

using nt::sim::EntryKind;
using nt::sim::EntryState;

class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

std::string Get(const std::string& xml, const std::string& name) {
    const size_t begin = xml.find("<" + name + ">");
    const size_t end = xml.find("</" + name + ">");
    if (begin == std::string::npos || end == std::string::npos) {
        return "<none>";
    }
    return xml.substr(begin + name.size() + 2, end - begin - name.size() - 2);
}

int64_t Cents(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    const size_t point = digits.find('.');
    const int64_t cents = std::atoll(digits.substr(0, point).c_str()) * 100 +
                          std::atoll(digits.substr(point + 1).c_str());
    return negative ? -cents : cents;
}

std::string Request(const std::string& code, const std::string& fields,
                    const std::string& amounts) {
    const std::string wrapper =
        code.starts_with("Batch") || code.starts_with("SAF") ? "Admin" : "Transaction";
    return "<?xml version=\"1.0\"?>\r\n<TStream><" + wrapper + "><TranCode>" + code +
           "</TranCode>" + fields + "<Amount>" + amounts + "</Amount><SequenceNo>0010010010" +
           "</SequenceNo></" + wrapper + "></TStream>\r\n";
}

[[noreturn]] void Fail(const std::string& what, const std::string& detail) {
    std::fprintf(stderr, "fuzz_journal: %s\n%s\n", what.c_str(), detail.c_str());
    std::abort();
}

// The totals of the journal file, summed here from its entries.
struct Sums {
    int64_t creditPurchase = 0, creditReturn = 0, debitPurchase = 0, debitReturn = 0;
    int creditPurchases = 0, creditReturns = 0, debitPurchases = 0, debitReturns = 0;
    int corrections = 0;
    int64_t correction = 0;
};

Sums SumJournalFile(int& batchNo) {
    nt::sim::SimJournal journal;
    const nt::sim::JournalLoad load = nt::sim::LoadJournal(nt::sim::kJournalFileName, journal);
    if (load.damaged || load.tornTail) {
        Fail("the journal file does not read back", load.why);
    }
    batchNo = journal.BatchNo();
    Sums s;
    for (const nt::sim::JournalEntry& e : journal.Entries()) {
        if (e.stored || e.state == EntryState::OpenAuth) {
            continue;
        }
        const bool debit = e.brand == nt::sim::CardBrand::Debit;
        if (e.state == EntryState::Voided) {
            ++s.corrections;
            s.correction += e.kind == EntryKind::Return ? e.authorized : -e.authorized;
        } else if (e.kind == EntryKind::Return) {
            ++(debit ? s.debitReturns : s.creditReturns);
            (debit ? s.debitReturn : s.creditReturn) += e.authorized;
        } else {
            ++(debit ? s.debitPurchases : s.creditPurchases);
            (debit ? s.debitPurchase : s.creditPurchase) += e.authorized;
        }
    }
    return s;
}

void Check(const std::string& summary) {
    int batchNo = 0;
    const Sums s = SumJournalFile(batchNo);
    const auto n = [&](const char* name) { return std::atoll(Get(summary, name).c_str()); };
    const auto c = [&](const char* name) { return Cents(Get(summary, name)); };
    const bool agree =
        n("BatchNo") == batchNo && n("CreditPurchaseCount") == s.creditPurchases &&
        c("CreditPurchaseAmount") == s.creditPurchase &&
        n("CreditReturnCount") == s.creditReturns && c("CreditReturnAmount") == s.creditReturn &&
        n("DebitPurchaseCount") == s.debitPurchases &&
        c("DebitPurchaseAmount") == s.debitPurchase && n("DebitReturnCount") == s.debitReturns &&
        c("DebitReturnAmount") == s.debitReturn && n("CorrectionCount") == s.corrections &&
        c("CorrectionAmount") == s.correction &&
        n("CreditCount") == s.creditPurchases + s.creditReturns &&
        c("CreditAmount") == s.creditPurchase - s.creditReturn &&
        n("DebitCount") == s.debitPurchases + s.debitReturns &&
        c("DebitAmount") == s.debitPurchase - s.debitReturn &&
        c("NetBatchTotal") == c("CreditAmount") + c("DebitAmount") &&
        n("BatchItemCount") == n("CreditCount") + n("DebitCount") + n("CorrectionCount");
    if (!agree) {
        Fail("the batch totals differ from the journal's sums", summary);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    nt::fuzz::EnterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kCodes[] = {
        "EMVSale",       "EMVReturn",         "EMVPreAuth",         "EMVVoidSale",
        "EMVVoidReturn", "EMVPreAuthCapture", "EMVIncrementalAuth", "EMVPartialReversal",
        "EMVAdjust",     "EMVVoiceAuth",      "VoidSaleByRecordNo", "SAF_ForwardAll",
        "BatchClose",    "PreAuthByRecordNo", "ReturnByRecordNo",   "AdjustByRecordNo"};
    nt::ManualClock clock;
    nt::SimulatorOptions options{nt::sim::kJournalFileName, true, false};
    auto client = nt::MakeSimulatedClient(clock, options);
    options.freshJournal = false;
    std::vector<std::string> refs = {"0001"};
    Bytes in(data, size);
    for (int step = 0; step < 48 && !in.Empty(); ++step) {
        const uint8_t op = in.Next();
        if (op == 0xFF) {
            client = nt::MakeSimulatedClient(clock, options);  // a restart
            continue;
        }
        const std::string code = kCodes[op % std::size(kCodes)];
        const int high = in.Next();
        const int64_t cents = (high << 8 | in.Next()) % 20000;
        const uint8_t flags = in.Next();
        const std::string amount = std::to_string(cents / 100) + "." +
                                   std::to_string(cents % 100 / 10) + std::to_string(cents % 10);
        std::string fields;
        if (flags & 1) {
            fields += "<RefNo>" + refs[in.Next() % refs.size()] + "</RefNo>";
        }
        if (flags & 2) {
            fields += "<CardType>DEBIT</CardType>";
        }
        if (flags & 4) {
            fields += "<ForceOffline>Y</ForceOffline>";
        }
        if (flags & 8) {
            fields += "<RecordNo>" +
                      std::string(flags & 16 ? "NTVTOKEN0119" : "RecordNumberRequested") +
                      "</RecordNo>";
        }
        std::string amounts = "<Purchase>" + amount + "</Purchase>";
        if (flags & 32) {
            amounts += "<Gratuity>" + std::to_string(in.Next() % 10) + ".00</Gratuity>";
        }
        if (code.find("Incremental") != std::string::npos ||
            code.find("PartialReversal") != std::string::npos) {
            amounts = "<LastAuthorized>" + amount + "</LastAuthorized><" +
                      (code.find("Partial") != std::string::npos ? "Decrement" : "Increment") +
                      ">" + std::to_string(in.Next() % 5) + ".00</" +
                      (code.find("Partial") != std::string::npos ? "Decrement" : "Increment") + ">";
        }
        const std::string reply = client->ProcessTransaction(Request(code, fields, amounts)).text;
        const std::string ref = Get(reply, "RefNo");
        if (ref != "<none>") {
            refs.push_back(ref);
        }
        Check(client->ProcessTransaction(Request("BatchSummary", "", "")).text);
    }
    return 0;
}
