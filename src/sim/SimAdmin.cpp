#include "sim/SimAdmin.h"

#include <cstdio>
#include <vector>

#include "sim/SimAmount.h"
#include "sim/SimReceipt.h"
#include "sim/SimResponse.h"

namespace nt::sim {

namespace {

std::string Stamp(const LocalTime& t, bool fr) {
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "DATE %04d/%02d/%02d", t.year, t.month, t.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return PairLine(date, (fr ? "HEURE " : "TIME ") + std::string(time));
}

// The lines below a report's heading.
// The entries approved offline and not yet forwarded.
std::vector<const JournalEntry*> Stored(const SimState& state) {
    std::vector<const JournalEntry*> stored;
    for (const JournalEntry& e : state.journal.Entries()) {
        if (e.stored) {
            stored.push_back(&e);
        }
    }
    return stored;
}

std::vector<std::string> ReportBody(TranCode code, const SimState& state, bool fr) {
    if (code == TranCode::EMVOfflineDeclineReport) {
        return {CentreLine(fr ? "AUCUN REFUS HORS LIGNE" : "NO OFFLINE DECLINES")};
    }
    if (code == TranCode::EMVPublicKeyReport) {
        return {PairLine("A000000003", "92  1408"), PairLine("A000000003", "94  1984"),
                PairLine("A000000004", "F1  1408"), PairLine("A000000004", "EF  1984"),
                PairLine("A000000277", "6B  1408")};
    }
    if (code == TranCode::EMVParameterReport) {
        return {PairLine("A0000000031010", "VISA CREDIT"), PairLine("A0000000041010", "MASTERCARD"),
                PairLine("A0000002771010", "Interac"),
                PairLine(fr ? "PLANCHER" : "FLOOR LIMIT", FormatMoney(0, fr))};
    }
    return {PairLine("TRANSACTIONS", std::to_string(state.journal.TranNo())),
            PairLine(fr ? "EN ATTENTE" : "STORED OFFLINE", std::to_string(Stored(state).size()))};
}

std::vector<std::string> BatchReport(const BatchTotals& totals) {
    std::vector<std::string> lines;
    for (const auto& [name, value] : totals.Elements()) {
        lines.push_back(PairLine(name, value));
    }
    return lines;
}

void WriteReport(SimXml& xml, const TranCodeSpec& info, const SimRequest& r, const SimState& s,
                 std::vector<std::string> body) {
    const bool fr = IsFrench(r.merchantLanguage);
    std::vector<std::string> lines = {
        CentreLine(fr ? info.sim.titleFr : info.sim.titleEn), "", Stamp(s.clock.Now(), fr),
        PairLine(fr ? "NO MARCHAND" : "MERCHANT ID", r.merchantId), ""};
    lines.insert(lines.end(), body.begin(), body.end());
    xml.Element("ReceiptLanguage", fr ? "French" : "English");
    WritePrintLines(xml, "PrintData", "Line", lines);
}

int64_t StoredAmount(const std::vector<const JournalEntry*>& stored) {
    int64_t sum = 0;
    for (const JournalEntry* e : stored) {
        sum += e->authorized;
    }
    return sum;
}

}  // namespace

std::string AdminResponse(const SimRequest& r, const TranCodeSpec& info, SimState& state,
                          const std::string& sequenceNo) {
    const TranCode code = info.code;
    CmdFields cmd{"Client", kRcOk, "Success", "", sequenceNo, r.userTrace};
    SimXml xml;
    if (info.sim.family == SimFamily::Device) {
        cmd.text = code == TranCode::EMVPadReset        ? "Pad Reset Successful"
                   : code == TranCode::EMVKeyChange     ? "Key Change Successful"
                   : code == TranCode::EMVParamDownload ? "Parameter Download Successful"
                                                        : "Card Read Successful";
        WriteCmdResponse(xml, cmd);
        if (code == TranCode::GetPrePaidStripe) {
            xml.Open("TranResponse");
            xml.Element("TranCode", r.tranCode);
            xml.Element("AcctNo", "XXXXXXXXXXXX0026");
            xml.Element("CardType", "PrePaid");
            xml.Element("EntryMethod", "Swiped");
            xml.Close();
        }
    } else if (info.sim.family == SimFamily::Report) {
        cmd.text = "Report Printed";
        WriteCmdResponse(xml, cmd);
        xml.Open("ReportResponse");
        WriteReport(xml, info, r, state, ReportBody(code, state, IsFrench(r.merchantLanguage)));
        xml.Close();
    } else if (code == TranCode::ServerVersion) {
        cmd.text = "Nordteller Simulator " NORDTELLER_VERSION;
        WriteCmdResponse(xml, cmd);
    } else if (code == TranCode::BatchSummary || code == TranCode::BatchClose) {
        const bool close = code == TranCode::BatchClose;
        const BatchTotals totals = close ? state.journal.Close() : state.journal.Totals();
        if (close && state.file) {
            state.file->RecordClose(state.journal);
        }
        cmd.origin = "Processor";
        cmd.text = close ? "BATCH CLOSED" : "BATCH SUMMARY";
        WriteCmdResponse(xml, cmd);
        xml.Open(info.name);
        for (const auto& [name, value] : totals.Elements()) {
            xml.Element(name, value);
        }
        if (close) {
            xml.Element("NewBatchNo", std::to_string(state.journal.BatchNo()));
            WriteReport(xml, info, r, state, BatchReport(totals));
        }
        xml.Close();
    } else {
        const bool forward = code == TranCode::SAF_ForwardAll;
        const std::vector<const JournalEntry*> stored = Stored(state);
        const size_t count = stored.size();
        const int64_t amount = StoredAmount(stored);
        if (forward) {
            for (size_t position : state.journal.Forward()) {
                state.Recorded(position);
            }
        }
        cmd.text = forward ? std::to_string(count) + " ITEMS FORWARDED" : "SAF STATISTICS";
        WriteCmdResponse(xml, cmd);
        xml.Open("SAFResponse");
        xml.Element(forward ? "SAFForwardedCount" : "SAFCount", std::to_string(count));
        xml.Element(forward ? "SAFForwardedAmount" : "SAFAmount", FormatCents(amount));
        xml.Close();
    }
    return xml.Finish();
}

}  // namespace nt::sim
