#include "sim/SimTranCodes.h"

namespace nt::sim {

namespace {

constexpr auto P = BatchKind::Purchase;
constexpr auto R = BatchKind::Return;
constexpr auto VP = BatchKind::VoidPurchase;
constexpr auto VR = BatchKind::VoidReturn;
constexpr auto F = Family::Financial;
constexpr std::nullopt_t none = std::nullopt;

// Every TranCode the client composes, the ByRecordNo forms with their plain ones.
const TranCodeInfo kTranCodes[] = {
    {"EMVSale", F, P, true, false, "PURCHASE", "ACHAT"},
    {"SaleByRecordNo", F, P, true, false, "PURCHASE", "ACHAT"},
    {"EMVReturn", F, R, false, false, "REFUND", "REMBOURSEMENT"},
    {"ReturnByRecordNo", F, R, false, false, "REFUND", "REMBOURSEMENT"},
    {"EMVVoidSale", F, VP, false, true, "VOID PURCHASE", "ANNULATION D'ACHAT"},
    {"VoidSaleByRecordNo", F, VP, false, true, "VOID PURCHASE", "ANNULATION D'ACHAT"},
    {"EMVVoidReturn", F, VR, false, true, "VOID REFUND", "ANNULATION DE REMBOURSEMENT"},
    {"VoidReturnByRecordNo", F, VR, false, true, "VOID REFUND", "ANNULATION DE REMBOURSEMENT"},
    {"EMVVoiceAuth", F, P, false, false, "VOICE AUTHORIZATION", "AUTORISATION VOCALE"},
    {"EMVPreAuth", F, none, true, false, "PRE-AUTHORIZATION",
     "PR\xC9"
     "AUTORISATION"},
    {"PreAuthByRecordNo", F, none, true, false, "PRE-AUTHORIZATION",
     "PR\xC9"
     "AUTORISATION"},
    {"EMVPreAuthCapture", F, P, false, true, "COMPLETION", "FINALISATION"},
    {"PreAuthCaptureByRecordNo", F, P, false, true, "COMPLETION", "FINALISATION"},
    {"EMVPartialReversal", F, none, false, true, "PARTIAL REVERSAL", "ANNULATION PARTIELLE"},
    {"PartialReversalByRecordNo", F, none, false, true, "PARTIAL REVERSAL", "ANNULATION PARTIELLE"},
    {"EMVZeroAuth", F, none, false, false, "ACCOUNT VERIFICATION", "V\xC9RIFICATION DU COMPTE"},
    {"ZeroAuthByRecordNo", F, none, false, false, "ACCOUNT VERIFICATION",
     "V\xC9RIFICATION DU COMPTE"},
    {"EMVIncrementalAuth", F, none, false, true, "INCREMENTAL AUTHORIZATION",
     "AUTORISATION SUPPL\xC9MENTAIRE"},
    {"IncrementalAuthByRecordNo", F, none, false, true, "INCREMENTAL AUTHORIZATION",
     "AUTORISATION SUPPL\xC9MENTAIRE"},
    {"EMVAdjust", F, none, false, true, "TIP ADJUSTMENT", "AJUSTEMENT DU POURBOIRE"},
    {"AdjustByRecordNo", F, none, false, true, "TIP ADJUSTMENT", "AJUSTEMENT DU POURBOIRE"},
    {"EMVBalance", F, none, false, false, "BALANCE INQUIRY", "DEMANDE DE SOLDE"},
    {"EMVIssue", F, none, false, false, "GIFT CARD ISSUE", "\xC9MISSION DE CARTE-CADEAU"},
    {"EMVVoidIssue", F, none, false, true, "VOID GIFT CARD ISSUE", "ANNULATION D'\xC9MISSION"},
    {"EMVCashOut", F, none, false, false, "GIFT CARD CASH OUT", "ENCAISSEMENT CARTE-CADEAU"},
    {"EMVPadReset", Family::Device, none, false, false, "", ""},
    {"EMVKeyChange", Family::Device, none, false, false, "", ""},
    {"EMVParamDownload", Family::Device, none, false, false, "", ""},
    {"GetPrePaidStripe", Family::Device, none, false, false, "", ""},
    {"EMVOfflineDeclineReport", Family::Report, none, false, false, "OFFLINE DECLINE REPORT",
     "RAPPORT DES REFUS HORS LIGNE"},
    {"EMVPublicKeyReport", Family::Report, none, false, false, "PUBLIC KEY REPORT",
     "RAPPORT DES CL\xC9S PUBLIQUES"},
    {"EMVParameterReport", Family::Report, none, false, false, "EMV PARAMETER REPORT",
     "RAPPORT DES PARAM\xC8TRES EMV"},
    {"EMVStatisticsReport", Family::Report, none, false, false, "EMV STATISTICS REPORT",
     "RAPPORT DES STATISTIQUES EMV"},
    {"ServerVersion", Family::Host, none, false, false, "", ""},
    {"BatchSummary", Family::Host, none, false, false, "BATCH SUMMARY", "SOMMAIRE DU LOT"},
    {"BatchClose", Family::Host, none, false, false, "BATCH CLOSE", "FERMETURE DU LOT"},
    {"SAF_ForwardAll", Family::Host, none, false, false, "", ""},
    {"SAF_Statistics", Family::Host, none, false, false, "", ""},
};

}  // namespace

const TranCodeInfo* FindTranCode(const std::string& code) {
    for (const TranCodeInfo& info : kTranCodes) {
        if (code == info.code) {
            return &info;
        }
    }
    return nullptr;
}

}  // namespace nt::sim
