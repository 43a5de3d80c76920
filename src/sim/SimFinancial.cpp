#include "sim/SimFinancial.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "sim/SimAmount.h"
#include "sim/SimCard.h"
#include "sim/SimFollowOn.h"
#include "sim/SimOutcome.h"
#include "sim/SimReceipt.h"
#include "sim/SimResponse.h"

namespace nt::sim {

namespace {

constexpr int64_t kGiftBalance = 15000;   // every simulated gift card holds 150.00
constexpr int64_t kDebitCashBack = 2000;  // what the cardholder picks when asked for cash back
constexpr int kTipPercent = 15;           // what the cardholder tips when asked for a tip

struct Amounts {
    int64_t purchase = 0;
    int64_t gratuity = 0;
    int64_t cashBack = 0;
    int64_t trigger = 0;  // whose cents pick the amount trigger
};

// The amounts of the request; nullopt when one it needs is missing or malformed.
std::optional<Amounts> ReadAmounts(const SimRequest& r, const TranCodeSpec& info, bool debit) {
    Amounts a;
    if (info.amounts == AmountRows::Decrement || info.amounts == AmountRows::Increment) {
        const bool down = info.amounts == AmountRows::Decrement;
        const auto last = ParseCents(r.lastAuthorized);
        const auto change = ParseCents(down ? r.decrement : r.increment);
        if (!last || !change || (down && *change > *last)) {
            return std::nullopt;
        }
        a.purchase = down ? *last - *change : *last + *change;
        a.trigger = *change;
        return a;
    }
    const bool optional = info.code == TranCode::EMVZeroAuth || info.code == TranCode::EMVBalance;
    const auto purchase = ParseCents(r.purchase);
    if (!purchase && !(optional && r.purchase.empty())) {
        return std::nullopt;
    }
    a.purchase = purchase.value_or(0);
    a.trigger = a.purchase;
    if (r.gratuity == "Prompt") {
        a.gratuity = (a.purchase * kTipPercent + 50) / 100;
    } else if (!r.gratuity.empty()) {
        const auto tip = ParseCents(r.gratuity);
        if (!tip) {
            return std::nullopt;
        }
        a.gratuity = *tip;
    }
    if (r.cashBack == "Prompt" && debit) {
        a.cashBack = kDebitCashBack;
    }
    return a;
}

std::string Number(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The host's decision, or the offline one when the request forces offline processing.
Decision DecideRequest(const SimRequest& r, const TranCodeSpec& info, const Amounts& a,
                       bool offline) {
    const int64_t total = a.purchase + a.gratuity + a.cashBack;
    if (!offline) {
        return Decide(
            {a.trigger, total, info.sim.partial, r.partialAuthAllowed, r.duplicateOverride});
    }
    const auto limit = ParseCents(r.offlineLimit);
    return (limit && total > *limit) ? Decision{Outcome::Declined, 0}
                                     : Decision{Outcome::Approved, total};
}

// One token per simulated card, so repeated requests for the same card agree; any other
// RecordNo is echoed.
std::string RecordNoAnswer(const SimRequest& r, const SimCard& card) {
    if (r.recordNo != "RecordNumberRequested") {
        return r.recordNo;
    }
    return "NT" + card.cardType.substr(0, 1) + "TOKEN" +
           card.maskedAcct.substr(card.maskedAcct.size() - 4);
}

void WriteTranResponse(SimXml& xml, const SimRequest& r, const TranCodeSpec& info,
                       const ReceiptFacts& f, const std::string& acqRefData,
                       const std::string& processData) {
    const bool approved = f.outcome == Outcome::Approved || f.outcome == Outcome::PartiallyApproved;
    xml.Open("TranResponse");
    xml.Element("MerchantID", r.merchantId);
    xml.Element("AcctNo", f.card.maskedAcct);
    xml.Element("CardType", f.card.cardType);
    xml.Element("TranCode", r.tranCode);
    if (approved) {
        xml.Element("AuthCode", f.authCode);
    }
    xml.Element("CaptureStatus",
                approved && info.sim.batch && !f.offline ? "Captured" : "NotCaptured");
    xml.Element("RefNo", f.refNo);
    xml.Element("InvoiceNo", f.invoiceNo);
    xml.Open("Amount");
    xml.Element("Purchase", FormatCents(f.purchase));
    xml.Element("Gratuity", FormatCents(f.gratuity));
    if (!r.cashBack.empty()) {
        xml.Element("CashBack", FormatCents(f.cashBack));
    }
    xml.Element("Authorize", FormatCents(f.authorized));
    if (f.balance >= 0) {
        xml.Element("Balance", FormatCents(f.balance));
    }
    xml.Close();
    xml.Element("AcqRefData", acqRefData);
    xml.Element("ProcessData", processData);
    if (!r.recordNo.empty()) {
        xml.Element("RecordNo", RecordNoAnswer(r, f.card));
    }
    xml.Element("EntryMethod", f.card.entryMethod);
    xml.Element("ApplicationLabel", f.card.applicationLabel);
    xml.Element("AID", f.card.aid);
    xml.Element("TVR", f.tvr);
    xml.Element("TSI", f.tsi);
    const bool merchantFrench = IsFrench(r.merchantLanguage);
    xml.Element("ReceiptLanguage", merchantFrench ? "French" : "English");
    WritePrintLines(xml, "PrintData", "Line", ReceiptLines(f, merchantFrench, true));
    if (r.padType.find("POSPAD") != std::string::npos) {
        // The cardholder picks the language on the pad; the request's fallback stands in.
        const bool customerFrench =
            r.fallbackLanguage.empty() ? merchantFrench : IsFrench(r.fallbackLanguage);
        xml.Element("CustomerReceiptLanguage", customerFrench ? "French" : "English");
        WritePrintLines(xml, "CustomerPrintData", "CustLine",
                        ReceiptLines(f, customerFrench, false));
    }
    xml.Close();
}

// How an approved new transaction enters the journal; nullopt for codes it does not keep.
std::optional<std::pair<EntryKind, EntryState>> NewEntryOf(const TranCodeSpec& info) {
    if (info.code == TranCode::EMVPreAuth) {
        return std::pair{EntryKind::PreAuth, EntryState::OpenAuth};
    }
    if (info.sim.followOn || !info.sim.batch) {
        return std::nullopt;
    }
    return *info.sim.batch == BatchKind::Return
               ? std::pair{EntryKind::Return, EntryState::Returned}
               : std::pair{EntryKind::Purchase, EntryState::Captured};
}

void ShowAmounts(const JournalEntry& e, ReceiptFacts& f) {
    f.purchase = e.purchase;
    f.gratuity = e.gratuity;
    f.cashBack = e.cashBack;
    f.authorized = e.authorized;
}

// The original as this approved follow-on leaves it; `f` shows the original's amounts where
// the follow-on does not change them.
JournalEntry FollowedOn(JournalEntry e, FollowOn kind, const Amounts& a, ReceiptFacts& f) {
    switch (kind) {
        case FollowOn::VoidSale:
        case FollowOn::VoidReturn:
            e.state = EntryState::Voided;
            ShowAmounts(e, f);
            break;
        case FollowOn::Capture:
            e.state = EntryState::Captured;
            e.purchase = a.purchase;
            e.gratuity = a.gratuity;
            e.authorized = f.authorized;
            break;
        case FollowOn::Incremental:
        case FollowOn::PartialReversal:
            e.purchase = a.purchase;
            e.authorized = f.authorized;
            break;
        case FollowOn::Adjust:
            e.state = EntryState::Adjusted;
            e.authorized += a.gratuity - e.gratuity;
            e.gratuity = a.gratuity;
            ShowAmounts(e, f);
            break;
        case FollowOn::None:
            break;
    }
    e.authCode = f.authCode;  // the latest approval is what the next follow-on carries
    return e;
}

}  // namespace

std::string FinancialResponse(const SimRequest& r, const TranCodeSpec& info, SimState& state,
                              const std::string& sequenceNo) {
    const std::optional<Amounts> amounts = ReadAmounts(r, info, r.cardType == "DEBIT");
    if (!amounts) {
        return ErrorResponse("Client", kRcBadAmount, "INVALID AMOUNT", sequenceNo, r.userTrace);
    }
    const Amounts& a = *amounts;
    // Only new sales and refunds can be approved without the host, to be forwarded later.
    const bool offline = r.forceOffline && info.sim.batch && !info.sim.followOn;
    if (!offline) {
        if (std::optional<std::string> instead =
                ActOut(FaultOf(a.trigger), state.faults, sequenceNo, r.userTrace)) {
            return *instead;
        }
    }
    Decision decision = DecideRequest(r, info, a, offline);
    if (decision.outcome == Outcome::HostDown) {
        return ErrorResponse("Processor", kRcHostDown, OutcomeText(Outcome::HostDown), sequenceNo,
                             r.userTrace);
    }
    SimJournal& journal = state.journal;
    const FollowOn followOn = info.sim.followOnKind;
    FollowOnMatch match;
    if (followOn != FollowOn::None) {
        match = MatchFollowOn(r, followOn, journal, a.purchase,
                              ParseCents(r.lastAuthorized).value_or(-1));
    }
    const std::optional<std::pair<EntryKind, EntryState>> newEntry = NewEntryOf(info);
    SimCard card = ChooseCard(r, a.purchase);
    if (match.original != nullptr) {
        const JournalEntry& o = *match.original;
        card = BrandCard(o.brand);
        card.entryMethod = o.keyed ? "Keyed" : "Chip";
        card.signature = o.signature;
    }
    if (!match.reason.empty()) {
        decision = Decision{Outcome::Declined, 0};
    } else if (state.duplicateCheck && newEntry && newEntry->first == EntryKind::Purchase &&
               !offline && !r.duplicateOverride && decision.outcome == Outcome::Approved &&
               journal.HasDuplicate(card.brand, a.purchase + a.gratuity + a.cashBack,
                                    r.invoiceNo)) {
        decision = Decision{Outcome::Duplicate, 0};
    }
    const int tranNo = journal.NextTranNo();
    const bool approved =
        decision.outcome == Outcome::Approved || decision.outcome == Outcome::PartiallyApproved;

    ReceiptFacts f;
    f.titleEn = info.sim.titleEn;
    f.titleFr = info.sim.titleFr;
    f.when = state.clock.Now();
    f.merchantId = r.merchantId;
    f.terminalId = r.terminalId;
    f.sequenceNo = sequenceNo;
    f.card = card;
    f.refNo = match.original != nullptr               ? match.original->refNo
              : info.sim.followOn && !r.refNo.empty() ? r.refNo
                                                      : Number("%04d", tranNo);
    if (approved) {
        const bool voice = info.code == TranCode::EMVVoiceAuth && !r.authCode.empty();
        f.authCode = voice ? r.authCode : Number(offline ? "Y%05d" : "A%05d", tranNo);
    }
    f.invoiceNo = r.invoiceNo.empty() ? f.refNo : r.invoiceNo;
    const bool keyed = f.card.entryMethod == "Keyed";
    f.tvr = keyed ? "0000000000" : (approved ? "0000008000" : "0000048000");
    f.tsi = keyed ? "0000" : "E800";
    f.purchase = a.purchase;
    f.gratuity = a.gratuity;
    f.cashBack = a.cashBack;
    f.authorized = decision.authorized;
    f.balance = info.code == TranCode::EMVBalance ? kGiftBalance : -1;
    f.outcome = decision.outcome;
    f.offline = offline;
    f.reason = match.reason;

    const std::string acqRefData = "BN" + Number("%03d", journal.BatchNo()) + "RN" + f.refNo;
    if (approved && match.original != nullptr) {
        const size_t position = journal.PositionOf(*match.original);
        journal.Update(position, FollowedOn(*match.original, followOn, a, f));
        state.Recorded(position);
    } else if (approved && newEntry) {
        JournalEntry e;
        e.batchNo = journal.BatchNo();
        e.tranNo = tranNo;
        e.kind = newEntry->first;
        e.state = newEntry->second;
        e.stored = offline;
        e.tranCode = r.tranCode;
        e.refNo = f.refNo;
        e.authCode = f.authCode;
        e.acqRefData = acqRefData;
        e.recordNo = RecordNoAnswer(r, f.card);
        e.invoiceNo = r.invoiceNo;
        e.brand = f.card.brand;
        e.keyed = keyed;
        e.signature = f.card.signature;
        e.purchase = a.purchase;
        e.gratuity = a.gratuity;
        e.cashBack = a.cashBack;
        e.authorized = decision.authorized;
        state.Recorded(journal.Add(std::move(e)));
    } else if (state.file) {
        state.file->RecordTranNo(journal);
    }
    std::string text = f.reason.empty() ? OutcomeText(decision.outcome) : f.reason;
    if (offline) {
        text = approved ? "APPROVED OFFLINE" : "DECLINED OFFLINE";
    }
    SimXml xml;
    WriteCmdResponse(xml, {offline ? "Client" : "Processor", kRcOk,
                           approved ? "Approved" : "Declined", text, sequenceNo, r.userTrace});
    const std::string processData = "|00|" + Number("%04d", f.when.year) +
                                    Number("%02d", f.when.month) + Number("%02d", f.when.day) +
                                    Number("%06d", tranNo);
    WriteTranResponse(xml, r, info, f, acqRefData, processData);
    return xml.Finish();
}

}  // namespace nt::sim
