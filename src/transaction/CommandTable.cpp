#include "transaction/CommandTable.h"

#include <array>

namespace nt {

namespace {

constexpr const char* kTran = "Transaction";
constexpr const char* kAdmin = "Admin";
constexpr const char* kNotSupported = "NotSupported";

constexpr std::array kCommands = {
    CommandSpec{1004, "Sale", "OnSaleButton", "EMVSale", true, false, "EMVSale", kTran, false,
                false},
    CommandSpec{1005, "Return", "OnReturnButton", "EMVReturn", true, false, "EMVReturn", kTran,
                false, false},
    CommandSpec{1007, "Void Sale", "OnVoidsaleButton", "EMVVoidSale", true, false, "EMVVoidSale",
                kTran, false, false},
    CommandSpec{1032, "Void Return", "OnVoidreturnButton", "EMVVoidReturn", true, false,
                "EMVVoidReturn", kTran, false, false},
    CommandSpec{1036, "Post/Voice Auth", "OnVoicauthButton", "EMVVoiceAuth", true, false,
                "EMVVoiceAuth", kTran, false, false},
    CommandSpec{1062, "Balance Inq", "OnBalanceButton", "EMVBalance", true, false, "EMVBalance",
                kTran, false, true},
    CommandSpec{1049, "GetPrePaidStripe", "OnPadresetButton", kNotSupported, true, false,
                "GetPrePaidStripe", kTran, false, false},
    CommandSpec{1013, "PIN Pad Reset", "OnPadresetButton", "EMVPadReset", false, false,
                "EMVPadReset", kTran, false, false},
    CommandSpec{1006, "Key Change", "OnKeychangeButton", "EMVKeyChange", false, false,
                "EMVKeyChange", kTran, false, false},
    CommandSpec{1033, "EMV ParamDownload", "OnParamDownloadButton", "EMVParamDownload", false,
                false, "EMVParamDownload", kTran, false, false},
    CommandSpec{1065, "PreAuth", "OnPreAuthButton", "EMVPreAuth", true, false, "EMVPreAuth", kTran,
                false, false},
    CommandSpec{1066, "PreAuthCapture", "OnPreAuthCaptureButton", "EMVPreAuthCapture", true, false,
                "EMVPreAuthCapture", kTran, true, false},
    CommandSpec{1068, "Partial  Reversal", "OnPartialreversalButton", "EMVPartialReversal", true,
                false, "EMVPartialReversal", kTran, true, false},
    CommandSpec{1067, "ZeroAuth", "OnZeroAuthButton", "EMVZeroAuth", true, false, "EMVZeroAuth",
                kTran, false, false},
    CommandSpec{1080, "Incremental Auth", "OnIncrementalButton", "EMVIncrementalAuth", true, false,
                "EMVIncrementalAuth", kTran, true, false},
    CommandSpec{1086, "Adjust", "OnAdjustButton", "EMVAdjust", true, false, "EMVAdjust", kTran,
                true, false},
    CommandSpec{1054, "GIFT CARDS", "OnGiftCard/", nullptr, true, true, "", kTran, false, false},
    CommandSpec{1038, "Server Version", "OnServerVersionButton", "ServerVersion", false, false,
                "ServerVersion", kAdmin, false, false},
    CommandSpec{1039, "OffLine Decline Report", "OnOfflinedeclinereportButton", kNotSupported, true,
                false, "EMVOfflineDeclineReport", kAdmin, false, false},
    CommandSpec{1040, "Public Key Report", "OnPublickeyreportButton", kNotSupported, true, false,
                "EMVPublicKeyReport", kAdmin, false, false},
    CommandSpec{1041, "EMV Params Report", "OnEmvparamreportButton", kNotSupported, true, false,
                "EMVParameterReport", kAdmin, false, false},
    CommandSpec{1043, "EMV Statistics Report", "OnEmvstatisticsreportButton", kNotSupported, true,
                false, "EMVStatisticsReport", kAdmin, false, false},
    CommandSpec{1042, "BatchSummary", "OnBatchsummaryButton", "BatchSummary", false, false,
                "BatchSummary", kAdmin, false, false},
    CommandSpec{1044, "BatchClose", "OnBatchcloseButton", "BatchClose", false, false,
                "BatchSummary", kAdmin, false, false},
    CommandSpec{3, "Fwd All", "OnFwdAllButton", nullptr, false, false, "SAF_ForwardAll", kAdmin,
                false, false},
    CommandSpec{1070, "STATS", "SAF_Statistics", nullptr, false, false, "SAF_Statistics", kAdmin,
                false, false},
};

}  // namespace

std::span<const CommandSpec> Commands() {
    return kCommands;
}

}  // namespace nt
