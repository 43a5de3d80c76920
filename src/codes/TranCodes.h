#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nt {

// Every TranCode the window sends or the serial test terminal is given, one per row of
// kTranCodes and in its order.
enum class TranCode {
    EMVSale,
    EMVReturn,
    EMVVoidSale,
    EMVVoidReturn,
    EMVVoiceAuth,
    EMVBalance,
    EMVPreAuth,
    EMVPreAuthCapture,
    EMVPartialReversal,
    EMVZeroAuth,
    EMVIncrementalAuth,
    EMVAdjust,
    EMVIssue,
    EMVVoidIssue,
    EMVCashOut,
    GetPrePaidStripe,
    EMVPadReset,
    EMVKeyChange,
    EMVParamDownload,
    EMVOfflineDeclineReport,
    EMVPublicKeyReport,
    EMVParameterReport,
    EMVStatisticsReport,
    ServerVersion,
    BatchSummary,
    BatchClose,
    SAF_ForwardAll,
    SAF_Statistics,
    TestMode,
};

// The members of a request's <Amount>.
enum class AmountRows {
    Purchase,            // Purchase, then the tip and cash back rows
    PurchaseUnlessZero,  // the same, but no Purchase while the amount is 0.00
    Decrement,           // the additional amounts, lowering the authorisation
    Increment,           // the additional amounts, raising it
};

// The main window's button that runs the TranCode through the command flow.
struct CommandButton {
    int id = 0;                      // its control; 0 for none
    const char* waitMessage = "";    // what the wait window says meanwhile
    bool tokenConfirmation = false;  // asks first when Use Tokens is not checked
    bool zeroAmountFirst = false;    // sets the amount to 0.00 first
};

enum class TerminalOffer {
    Never,         // the command goes to the payment client whatever the pad type
    NotSupported,  // the terminal is picked but cannot run it: nothing is sent at all
    Offered,       // the terminal runs it when it is the pad type
};

enum class TerminalLine {
    Fields,  // `text` (the command word; none for a follow-on), then the window's fields
    Fixed,   // `text` as it stands
    Dated,   // `text`, today's date, then placeholders
};

// What the serial test terminal is sent for the TranCode.
struct TerminalUse {
    TerminalOffer offer = TerminalOffer::Offered;
    TerminalLine line = TerminalLine::Fields;
    const char* text = "";    // what `line` starts with
    bool zeroAmount = false;  // Fields: 0.00 stands for the amount
    bool financial = false;   // its details and receipt are fetched after the reply
};

// How the simulated payment client answers it.
enum class SimFamily {
    None,       // it does not know the TranCode
    Financial,  // a card transaction decided by the host
    Device,     // a PIN pad operation
    Report,     // a report the pad prints
    Host,       // server version, batch and store-and-forward administration
};

// How an approved transaction counts in the batch.
enum class BatchKind { Purchase, Return, VoidPurchase, VoidReturn };

// The follow-on transactions the simulator's journal answers for.
enum class FollowOn { None, VoidSale, VoidReturn, Capture, Incremental, PartialReversal, Adjust };

struct SimUse {
    SimFamily family = SimFamily::None;
    // How an approval counts in the batch, if at all.
    std::optional<BatchKind> batch = std::nullopt;
    bool partial = false;                    // may be partially approved
    bool followOn = false;                   // refers to an earlier transaction by its RefNo
    FollowOn followOnKind = FollowOn::None;  // the original the journal checks and changes
    const char* titleEn = "";                // receipt title
    const char* titleFr = "";                // the same in French, Windows-1252
};

// One TranCode and everything that hangs on it.
struct TranCodeSpec {
    TranCode code;
    const char* name;                // as the request's TranCode writes it
    const char* recordNo = nullptr;  // written instead when a record number stands for the card
    const char* wrapper = "Transaction";  // the request's element: "Transaction" or "Admin"
    AmountRows amounts = AmountRows::Purchase;
    bool manualEntry = false;  // asks for the manual entry values while Prompt Manual is checked
    CommandButton button = {};
    int giftButton = 0;  // its button in the gift card picker; 0 when it is not offered there
    TerminalUse terminal = {};
    SimUse sim = {};
};

// The table the request composer, the serial terminal's composer, the command flow, the gift
// card picker and the simulator all read; a new TranCode is a new row here. It is constant and
// in the header so that other constant tables (the window's controls) can name a row.
inline constexpr std::array kTranCodes = [] {
    using enum SimFamily;
    using enum TerminalOffer;
    using enum TerminalLine;
    constexpr const char* kAdmin = "Admin";
    // A card transaction's line: its command word (none for a follow-on), then the fields.
    constexpr auto card = [](const char* word, bool zeroAmount = false) {
        return TerminalUse{.text = word, .zeroAmount = zeroAmount, .financial = true};
    };
    return std::array{
        TranCodeSpec{.code = TranCode::EMVSale,
                     .name = "EMVSale",
                     .recordNo = "SaleByRecordNo",
                     .manualEntry = true,
                     .button = {.id = 1004, .waitMessage = "OnSaleButton"},
                     .giftButton = 1004,
                     .terminal = card("AT&UM104 "),
                     .sim = {Financial, BatchKind::Purchase, true, false, FollowOn::None,
                             "PURCHASE", "ACHAT"}},
        TranCodeSpec{.code = TranCode::EMVReturn,
                     .name = "EMVReturn",
                     .recordNo = "ReturnByRecordNo",
                     .button = {.id = 1005, .waitMessage = "OnReturnButton"},
                     .giftButton = 1005,
                     .terminal = card("AT&UM108 "),
                     .sim = {Financial, BatchKind::Return, false, false, FollowOn::None, "REFUND",
                             "REMBOURSEMENT"}},
        TranCodeSpec{.code = TranCode::EMVVoidSale,
                     .name = "EMVVoidSale",
                     .recordNo = "VoidSaleByRecordNo",
                     .button = {.id = 1007, .waitMessage = "OnVoidsaleButton"},
                     .giftButton = 1007,
                     .terminal = card("AT&UM109 "),
                     .sim = {Financial, BatchKind::VoidPurchase, false, true, FollowOn::VoidSale,
                             "VOID PURCHASE", "ANNULATION D'ACHAT"}},
        TranCodeSpec{.code = TranCode::EMVVoidReturn,
                     .name = "EMVVoidReturn",
                     .recordNo = "VoidReturnByRecordNo",
                     .button = {.id = 1032, .waitMessage = "OnVoidreturnButton"},
                     .giftButton = 1032,
                     .terminal = card("AT&UM110 "),
                     .sim = {Financial, BatchKind::VoidReturn, false, true, FollowOn::VoidReturn,
                             "VOID REFUND", "ANNULATION DE REMBOURSEMENT"}},
        TranCodeSpec{.code = TranCode::EMVVoiceAuth,
                     .name = "EMVVoiceAuth",
                     .button = {.id = 1036, .waitMessage = "OnVoicauthButton"},
                     .terminal = card("AT&UM113 "),
                     .sim = {Financial, BatchKind::Purchase, false, false, FollowOn::None,
                             "VOICE AUTHORIZATION", "AUTORISATION VOCALE"}},
        TranCodeSpec{
            .code = TranCode::EMVBalance,
            .name = "EMVBalance",
            .amounts = AmountRows::PurchaseUnlessZero,
            .button = {.id = 1062, .waitMessage = "OnBalanceButton", .zeroAmountFirst = true},
            .giftButton = 1062,
            .terminal = card("AT&UM101 ", true),
            .sim = {Financial, std::nullopt, false, false, FollowOn::None, "BALANCE INQUIRY",
                    "DEMANDE DE SOLDE"}},
        TranCodeSpec{
            .code = TranCode::EMVPreAuth,
            .name = "EMVPreAuth",
            .recordNo = "PreAuthByRecordNo",
            .manualEntry = true,
            .button = {.id = 1065, .waitMessage = "OnPreAuthButton"},
            .terminal = card("AT&UM101 "),
            .sim = {Financial, std::nullopt, true, false, FollowOn::None, "PRE-AUTHORIZATION",
                    "PR\xC9"
                    "AUTORISATION"}},
        TranCodeSpec{.code = TranCode::EMVPreAuthCapture,
                     .name = "EMVPreAuthCapture",
                     .recordNo = "PreAuthCaptureByRecordNo",
                     .manualEntry = true,
                     .button = {.id = 1066,
                                .waitMessage = "OnPreAuthCaptureButton",
                                .tokenConfirmation = true},
                     .terminal = card(""),
                     .sim = {Financial, BatchKind::Purchase, false, true, FollowOn::Capture,
                             "COMPLETION", "FINALISATION"}},
        TranCodeSpec{.code = TranCode::EMVPartialReversal,
                     .name = "EMVPartialReversal",
                     .recordNo = "PartialReversalByRecordNo",
                     .amounts = AmountRows::Decrement,
                     .button = {.id = 1068,
                                .waitMessage = "OnPartialreversalButton",
                                .tokenConfirmation = true},
                     .terminal = card(""),
                     .sim = {Financial, std::nullopt, false, true, FollowOn::PartialReversal,
                             "PARTIAL REVERSAL", "ANNULATION PARTIELLE"}},
        TranCodeSpec{.code = TranCode::EMVZeroAuth,
                     .name = "EMVZeroAuth",
                     .recordNo = "ZeroAuthByRecordNo",
                     .manualEntry = true,
                     .button = {.id = 1067, .waitMessage = "OnZeroAuthButton"},
                     .terminal = card("AT&UM101 "),
                     .sim = {Financial, std::nullopt, false, false, FollowOn::None,
                             "ACCOUNT VERIFICATION", "V\xC9RIFICATION DU COMPTE"}},
        TranCodeSpec{
            .code = TranCode::EMVIncrementalAuth,
            .name = "EMVIncrementalAuth",
            .recordNo = "IncrementalAuthByRecordNo",
            .amounts = AmountRows::Increment,
            .button = {.id = 1080, .waitMessage = "OnIncrementalButton", .tokenConfirmation = true},
            .terminal = card(""),
            .sim = {Financial, std::nullopt, false, true, FollowOn::Incremental,
                    "INCREMENTAL AUTHORIZATION", "AUTORISATION SUPPL\xC9MENTAIRE"}},
        TranCodeSpec{
            .code = TranCode::EMVAdjust,
            .name = "EMVAdjust",
            .recordNo = "AdjustByRecordNo",
            .manualEntry = true,
            .button = {.id = 1086, .waitMessage = "OnAdjustButton", .tokenConfirmation = true},
            .terminal = card(""),
            .sim = {Financial, std::nullopt, false, true, FollowOn::Adjust, "TIP ADJUSTMENT",
                    "AJUSTEMENT DU POURBOIRE"}},
        TranCodeSpec{.code = TranCode::EMVIssue,
                     .name = "EMVIssue",
                     .giftButton = 1059,
                     .terminal = card("AT&UM120 "),
                     .sim = {Financial, std::nullopt, false, false, FollowOn::None,
                             "GIFT CARD ISSUE", "\xC9MISSION DE CARTE-CADEAU"}},
        TranCodeSpec{.code = TranCode::EMVVoidIssue,
                     .name = "EMVVoidIssue",
                     .giftButton = 1060,
                     .terminal = card("AT&UM139 "),
                     .sim = {Financial, std::nullopt, false, true, FollowOn::None,
                             "VOID GIFT CARD ISSUE", "ANNULATION D'\xC9MISSION"}},
        TranCodeSpec{.code = TranCode::EMVCashOut,
                     .name = "EMVCashOut",
                     .giftButton = 1061,
                     .terminal = card("AT&UM112 ", true),
                     .sim = {Financial, std::nullopt, false, false, FollowOn::None,
                             "GIFT CARD CASH OUT", "ENCAISSEMENT CARTE-CADEAU"}},
        TranCodeSpec{.code = TranCode::GetPrePaidStripe,
                     .name = "GetPrePaidStripe",
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 1049, .waitMessage = "OnPadresetButton"},
                     .terminal = {.offer = NotSupported},
                     .sim = {.family = Device}},
        TranCodeSpec{.code = TranCode::EMVPadReset,
                     .name = "EMVPadReset",
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 1013, .waitMessage = "OnPadresetButton"},
                     .terminal = {.line = Fixed, .text = "AT&UE7 * * * * * *"},
                     .sim = {.family = Device}},
        TranCodeSpec{.code = TranCode::EMVKeyChange,
                     .name = "EMVKeyChange",
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 1006, .waitMessage = "OnKeychangeButton"},
                     .terminal = {.line = Fixed, .text = "AT&UI107 * * * * * *"},
                     .sim = {.family = Device}},
        TranCodeSpec{.code = TranCode::EMVParamDownload,
                     .name = "EMVParamDownload",
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 1033, .waitMessage = "OnParamDownloadButton"},
                     .terminal = {.line = Fixed, .text = "AT&UI108 * * * * * *"},
                     .sim = {.family = Device}},
        TranCodeSpec{.code = TranCode::EMVOfflineDeclineReport,
                     .name = "EMVOfflineDeclineReport",
                     .wrapper = kAdmin,
                     .button = {.id = 1039, .waitMessage = "OnOfflinedeclinereportButton"},
                     .terminal = {.offer = NotSupported},
                     .sim = {.family = Report,
                             .titleEn = "OFFLINE DECLINE REPORT",
                             .titleFr = "RAPPORT DES REFUS HORS LIGNE"}},
        TranCodeSpec{.code = TranCode::EMVPublicKeyReport,
                     .name = "EMVPublicKeyReport",
                     .wrapper = kAdmin,
                     .button = {.id = 1040, .waitMessage = "OnPublickeyreportButton"},
                     .terminal = {.offer = NotSupported},
                     .sim = {.family = Report,
                             .titleEn = "PUBLIC KEY REPORT",
                             .titleFr = "RAPPORT DES CL\xC9S PUBLIQUES"}},
        TranCodeSpec{.code = TranCode::EMVParameterReport,
                     .name = "EMVParameterReport",
                     .wrapper = kAdmin,
                     .button = {.id = 1041, .waitMessage = "OnEmvparamreportButton"},
                     .terminal = {.offer = NotSupported},
                     .sim = {.family = Report,
                             .titleEn = "EMV PARAMETER REPORT",
                             .titleFr = "RAPPORT DES PARAM\xC8TRES EMV"}},
        TranCodeSpec{.code = TranCode::EMVStatisticsReport,
                     .name = "EMVStatisticsReport",
                     .wrapper = kAdmin,
                     .button = {.id = 1043, .waitMessage = "OnEmvstatisticsreportButton"},
                     .terminal = {.offer = NotSupported},
                     .sim = {.family = Report,
                             .titleEn = "EMV STATISTICS REPORT",
                             .titleFr = "RAPPORT DES STATISTIQUES EMV"}},
        TranCodeSpec{.code = TranCode::ServerVersion,
                     .name = "ServerVersion",
                     .wrapper = kAdmin,
                     .button = {.id = 1038, .waitMessage = "OnServerVersionButton"},
                     .terminal = {.line = Fixed, .text = "AT&UP96"},
                     .sim = {.family = Host}},
        TranCodeSpec{
            .code = TranCode::BatchSummary,
            .name = "BatchSummary",
            .wrapper = kAdmin,
            .button = {.id = 1042, .waitMessage = "OnBatchsummaryButton"},
            .terminal = {.line = Fixed, .text = "AT&UI7 * * * * * *"},
            .sim = {.family = Host, .titleEn = "BATCH SUMMARY", .titleFr = "SOMMAIRE DU LOT"}},
        // Its button sends a BatchSummary first, whose totals the close carries.
        TranCodeSpec{
            .code = TranCode::BatchClose,
            .name = "BatchClose",
            .wrapper = kAdmin,
            .button = {.id = 1044, .waitMessage = "OnBatchcloseButton"},
            .terminal = {.line = Dated, .text = "AT&UB3 * "},
            .sim = {.family = Host, .titleEn = "BATCH CLOSE", .titleFr = "FERMETURE DU LOT"}},
        TranCodeSpec{.code = TranCode::SAF_ForwardAll,
                     .name = "SAF_ForwardAll",
                     .wrapper = kAdmin,
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 3, .waitMessage = "OnFwdAllButton"},
                     .terminal = {.offer = Never},
                     .sim = {.family = Host}},
        TranCodeSpec{.code = TranCode::SAF_Statistics,
                     .name = "SAF_Statistics",
                     .wrapper = kAdmin,
                     .amounts = AmountRows::PurchaseUnlessZero,
                     .button = {.id = 1070, .waitMessage = "SAF_Statistics"},
                     .terminal = {.offer = Never},
                     .sim = {.family = Host}},
        // The terminal's own test mode, from a button with a handler of its own; never a
        // request.
        TranCodeSpec{.code = TranCode::TestMode,
                     .name = "TestMode",
                     .terminal = {.line = Fixed, .text = "AT&UT90"}},
    };
}();

// The row of a TranCode the program names itself.
constexpr const TranCodeSpec& SpecOf(TranCode code) {
    return kTranCodes[static_cast<std::size_t>(code)];
}

// The row of a TranCode as the composers are given it (exact, case-sensitive); null for an
// unknown one.
const TranCodeSpec* FindTranCode(std::string_view name);

// A TranCode as a request carries it: plain, or the RecordNo form of its row.
struct WrittenTranCode {
    const TranCodeSpec* spec = nullptr;  // null for an unknown one
    bool byRecordNo = false;
};
WrittenTranCode ReadTranCode(std::string_view written);

// The TranCode written when a record number stands in for the card: the RecordNo form where
// there is one, the TranCode itself otherwise.
std::string RecordNoTranCode(std::string_view tranCode);

// The row run by a main window button, and the one picked by a button of the gift card
// picker; null for any other control.
const TranCodeSpec* FindCommandButton(int id);
const TranCodeSpec* FindGiftButton(int id);

}  // namespace nt
