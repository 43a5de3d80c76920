#pragma once

#include <span>

namespace nt {

enum class ControlKind {
    Edit,           // single-line edit field
    MultiLineEdit,  // Test Case Info
    AmountEdit,     // cash-register amount field, fixed-pitch, right-aligned
    DigitsEdit,     // edit that takes digits only (Max Trans)
    Label,          // static text with an identifier of its own
    Display,        // bordered, centred static text (the sequence number displays)
    Button,
    CheckBox,
    Radio,
    Tree,
};

// One control of the main window: what the Qt window draws and what the in-memory form holds.
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* caption;    // buttons, check boxes and radios: their caption; fields: their label
    const char* group;      // group box it sits in; "" for none
    const char* startText;  // the text the control holds when the window is created
    bool enabled;
    bool visible;
    int radioGroup;  // first identifier of its radio group; 0 for none
};

// Every control of the main window, in ascending identifier order.
std::span<const ControlSpec> MainWindowControls();
const ControlSpec* FindControl(int id);

namespace id {
inline constexpr int kExit = 2;
inline constexpr int kFwdAll = 3;
inline constexpr int kHostOrIp = 1000;
inline constexpr int kIpPort = 1001;
inline constexpr int kAmount = 1002;
inline constexpr int kMaxTrans = 1003;
inline constexpr int kSale = 1004;
inline constexpr int kReturn = 1005;
inline constexpr int kKeyChange = 1006;
inline constexpr int kVoidSale = 1007;
inline constexpr int kSendingSeqNo = 1008;
inline constexpr int kReceivedSeqNo = 1009;
inline constexpr int kComPort = 1010;
inline constexpr int kOverride = 1011;
inline constexpr int kMerchantId = 1012;
inline constexpr int kPadReset = 1013;
inline constexpr int kPromptTip = 1014;
inline constexpr int kTipAmount = 1015;
inline constexpr int kPromptManual = 1017;
inline constexpr int kTerminalId = 1018;
inline constexpr int kOperatorId = 1020;
inline constexpr int kAllowPartialAuth = 1021;
inline constexpr int kCreditOnly = 1023;
inline constexpr int kForcePadReset = 1024;
inline constexpr int kUseTokens = 1026;
inline constexpr int kPurchaseLimit = 1027;
inline constexpr int kPromptCashBack = 1028;
inline constexpr int kSuppressAmountOk = 1029;
inline constexpr int kAuthCode = 1030;
inline constexpr int kRefNumber = 1031;
inline constexpr int kVoidReturn = 1032;
inline constexpr int kParamDownload = 1033;
inline constexpr int kEnglishLocal = 1034;
inline constexpr int kFrenchLocal = 1035;
inline constexpr int kVoiceAuth = 1036;
inline constexpr int kTestCaseInfo = 1037;
inline constexpr int kServerVersion = 1038;
inline constexpr int kOfflineDeclineReport = 1039;
inline constexpr int kPublicKeyReport = 1040;
inline constexpr int kEmvParamsReport = 1041;
inline constexpr int kBatchSummary = 1042;
inline constexpr int kEmvStatisticsReport = 1043;
inline constexpr int kBatchClose = 1044;
inline constexpr int kAcqRefData = 1045;
inline constexpr int kRunScript = 1046;
inline constexpr int kEnglishFallback = 1047;
inline constexpr int kFrenchFallback = 1048;
inline constexpr int kGetPrePaidStripe = 1049;
inline constexpr int kResetSequenceNo = 1050;
inline constexpr int kNoFallback = 1052;
inline constexpr int kTranTestMode = 1053;
inline constexpr int kGiftCards = 1054;
inline constexpr int kRecordNumber = 1055;
inline constexpr int kPinPadIpAddress = 1056;
inline constexpr int kPinPadIpPort = 1057;
inline constexpr int kInteracDebitOnly = 1059;
inline constexpr int kBalanceInq = 1062;
inline constexpr int kPinPadIpAddressLabel = 1063;
inline constexpr int kPinPadIpPortLabel = 1064;
inline constexpr int kPreAuth = 1065;
inline constexpr int kPreAuthCapture = 1066;
inline constexpr int kZeroAuth = 1067;
inline constexpr int kPartialReversal = 1068;
inline constexpr int kReturnClearExpDate = 1069;
inline constexpr int kStats = 1070;
inline constexpr int kForceOffline = 1071;
inline constexpr int kSuppressSignature = 1072;
inline constexpr int kCardNotPresent = 1073;
inline constexpr int kInvoice = 1078;
inline constexpr int kProcessData = 1079;
inline constexpr int kIncrementalAuth = 1080;
inline constexpr int kClearRespFields = 1085;
inline constexpr int kAdjust = 1086;
inline constexpr int kPadRebootTime = 1118;
inline constexpr int kGetPadTypesInfo = 1202;
inline constexpr int kPadTree = 1203;
inline constexpr int kTranEmv = 1204;
}  // namespace id

}  // namespace nt
