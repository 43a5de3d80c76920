#include "sim/SimReceipt.h"

#include <cstdio>

#include "sim/SimAmount.h"

namespace nt::sim {

namespace {

std::string Date(const LocalTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", t.year, t.month, t.day);
    return buffer;
}

std::string Time(const LocalTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buffer;
}

std::string Verdict(const ReceiptFacts& f, bool fr) {
    switch (f.outcome) {
        case Outcome::Approved:
            if (f.offline) {
                return fr ? "APPROUV\xC9"
                            "E HORS LIGNE"
                          : "APPROVED OFFLINE";
            }
            return fr ? "APPROUV\xC9"
                        "E"
                      : "APPROVED";
        case Outcome::PartiallyApproved:
            return fr ? "PARTIELLEMENT APPROUV\xC9"
                        "E"
                      : "PARTIALLY APPROVED";
        case Outcome::CallForAuth:
            return fr ? "APPELER POUR AUTORISATION" : "CALL FOR AUTHORIZATION";
        case Outcome::Duplicate:
            return fr ? "TRANSACTION EN DOUBLE" : "DUPLICATE TRANSACTION";
        case Outcome::Declined:
        case Outcome::HostDown:
            break;
    }
    return fr ? "REFUS\xC9"
                "E"
              : "DECLINED";
}

}  // namespace

std::string PairLine(const std::string& left, const std::string& right) {
    const std::string r = right.substr(0, kReceiptWidth - 1);
    const std::string l = left.substr(0, kReceiptWidth - 1 - r.size());
    if (r.empty()) {
        return l;
    }
    return l + std::string(kReceiptWidth - l.size() - r.size(), ' ') + r;
}

std::string CentreLine(const std::string& text) {
    const std::string t = text.substr(0, kReceiptWidth);
    return std::string((kReceiptWidth - t.size()) / 2, ' ') + t;
}

std::vector<std::string> ReceiptLines(const ReceiptFacts& f, bool fr, bool merchantCopy) {
    const bool approved = f.outcome == Outcome::Approved || f.outcome == Outcome::PartiallyApproved;
    const SimCard& card = f.card;
    std::vector<std::string> l;
    l.push_back(CentreLine(fr ? f.titleFr : f.titleEn));
    l.push_back("");
    l.push_back(PairLine("DATE " + Date(f.when), (fr ? "HEURE " : "TIME ") + Time(f.when)));
    l.push_back(PairLine(fr ? "NO MARCHAND" : "MERCHANT ID", f.merchantId));
    if (!f.terminalId.empty()) {
        l.push_back(PairLine(fr ? "NO TERMINAL" : "TERMINAL ID", f.terminalId));
    }
    l.push_back(PairLine(fr ? "NO S\xC9QUENCE" : "SEQUENCE #", f.sequenceNo));
    l.push_back("");
    l.push_back(PairLine(fr ? "TYPE DE CARTE" : "CARD TYPE", card.cardType));
    l.push_back(PairLine(fr ? "NO DE CARTE" : "ACCT", card.maskedAcct));
    if (card.Debit()) {
        l.push_back(
            PairLine(fr ? "TYPE DE COMPTE" : "ACCOUNT TYPE", fr ? "CH\xC8QUE" : "CHEQUING"));
    }
    const bool keyed = card.entryMethod == "Keyed";
    l.push_back(PairLine(fr ? "MODE D'ENTR\xC9"
                              "E"
                            : "ENTRY",
                         keyed ? (fr ? "MANUELLE" : "KEYED") : (fr ? "PUCE" : "CHIP")));
    l.push_back(PairLine("APPLICATION", card.applicationLabel));
    l.push_back(PairLine("AID", card.aid));
    l.push_back(PairLine("TVR", f.tvr));
    l.push_back(PairLine("TSI", f.tsi));
    l.push_back(PairLine(fr ? "NO DE R\xC9"
                              "F."
                            : "REF #",
                         f.refNo));
    if (approved) {
        l.push_back(PairLine(fr ? "NO D'AUTOR." : "AUTH #", f.authCode));
    }
    l.push_back(PairLine(fr ? "NO DE FACTURE" : "INVOICE", f.invoiceNo));
    l.push_back("");
    const auto money = [fr](int64_t cents) { return FormatMoney(cents, fr); };
    l.push_back(PairLine(fr ? "MONTANT" : "AMOUNT", money(f.purchase)));
    if (f.gratuity > 0) {
        l.push_back(PairLine(fr ? "POURBOIRE" : "TIP", money(f.gratuity)));
    }
    if (f.cashBack > 0) {
        l.push_back(PairLine(fr ? "REMISE EN ARGENT" : "CASH BACK", money(f.cashBack)));
    }
    const int64_t total = f.purchase + f.gratuity + f.cashBack;
    l.push_back(PairLine("TOTAL", money(total)));
    if (f.outcome == Outcome::PartiallyApproved) {
        l.push_back(PairLine(fr ? "MONTANT APPROUV\xC9" : "APPROVED AMOUNT", money(f.authorized)));
        l.push_back(PairLine(fr ? "SOLDE D\xDB" : "AMOUNT DUE", money(total - f.authorized)));
    }
    if (f.balance >= 0) {
        l.push_back(PairLine(fr ? "SOLDE" : "BALANCE", money(f.balance)));
    }
    l.push_back("");
    l.push_back(CentreLine(Verdict(f, fr)));
    if (!f.reason.empty()) {
        l.push_back(CentreLine(f.reason));
    }
    if (approved && !card.signature && !keyed) {
        l.push_back(CentreLine(fr ? "NIP V\xC9RIFI\xC9" : "PIN VERIFIED"));
    }
    if (merchantCopy && approved && card.signature) {
        l.push_back("");
        l.push_back("");
        l.push_back("X" + std::string(kReceiptWidth - 1, '_'));
        l.push_back(CentreLine(fr ? "SIGNATURE DU TITULAIRE" : "CARDHOLDER SIGNATURE"));
        l.push_back(CentreLine(fr ? "J'ACCEPTE DE PAYER LE MONTANT CI-DESSUS"
                                  : "I AGREE TO PAY THE ABOVE TOTAL AMOUNT"));
    }
    return l;
}

void WritePrintLines(SimXml& xml, const std::string& parent, const std::string& prefix,
                     const std::vector<std::string>& lines) {
    xml.Open(parent);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        xml.Element(prefix + std::to_string(i + 1),
                    (!line.empty() && line[0] == ' ') ? "." + line : line);
    }
    xml.Close();
}

}  // namespace nt::sim
