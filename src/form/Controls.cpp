#include "form/Controls.h"

#include <algorithm>
#include <array>

#include "codes/TranCodes.h"

namespace nt {

namespace {

using K = ControlKind;

constexpr const char* kSetup = "Merchant /Setup Info";
constexpr const char* kModifiers = "Transaction Modifiers";
constexpr const char* kMerchantLang = "Merchant Language";
constexpr const char* kFallbackLang = "Fallback Language";
constexpr const char* kAdmin = "Admin";
constexpr const char* kReports = "Reports";
constexpr const char* kSaf = "Store and Forward";
constexpr const char* kNeverUse = "Never Use";

// The batch buttons and GetPrePaidStripe are captioned with the TranCode they send.
constexpr std::array kControls = {
    ControlSpec{2, K::Button, "E&xit", "", "", true, true, 0},
    ControlSpec{3, K::Button, "Fwd All", kSaf, "", true, true, 0},
    ControlSpec{1000, K::Edit, "IP/HostName", kSetup, "127.0.0.1", true, true, 0},
    ControlSpec{1001, K::Edit, "IpPort", kSetup, "9000", true, true, 0},
    ControlSpec{1002, K::AmountEdit, "Amount", "", "0.00", true, true, 0},
    ControlSpec{1003, K::DigitsEdit, "Max Trans", kSaf, "", true, true, 0},
    ControlSpec{1004, K::Button, "Sale", "", "", true, true, 0},
    ControlSpec{1005, K::Button, "Return", "", "", true, true, 0},
    ControlSpec{1006, K::Button, "Key Change", "", "", true, true, 0},
    ControlSpec{1007, K::Button, "Void Sale", "", "", true, true, 0},
    ControlSpec{1008, K::Display, "Sending POS Sequence No", "", "Sending POS Seq No.", true, true,
                0},
    ControlSpec{1009, K::Display, "Received POS Sequence No", "", "Received POS Seq No.", true,
                true, 0},
    ControlSpec{1010, K::Edit, "Com Port", kSetup, "1", true, true, 0},
    ControlSpec{1011, K::CheckBox, "Override", kModifiers, "", true, true, 0},
    ControlSpec{1012, K::Edit, "Merchant ID", kSetup, "70", true, true, 0},
    ControlSpec{1013, K::Button, "PIN Pad Reset", "", "", true, true, 0},
    ControlSpec{1014, K::CheckBox, "Prompt for TIP on Sale", kModifiers, "", true, true, 0},
    ControlSpec{1015, K::AmountEdit, "TIP Amount", "", "0.00", false, true, 0},
    ControlSpec{1017, K::CheckBox, "Prompt for Manual Entry", kModifiers, "", true, true, 0},
    ControlSpec{1018, K::Edit, "Terminal ID", kSetup, "", true, true, 0},
    ControlSpec{1020, K::Edit, "Operator ID", kSetup, "", true, true, 0},
    ControlSpec{1021, K::CheckBox, "Allow Partial Auth", kModifiers, "", true, true, 0},
    ControlSpec{1023, K::CheckBox, "Credit Only", kModifiers, "", true, true, 0},
    ControlSpec{1024, K::CheckBox, "Force Pad Reset B4 Cmd", "", "", true, true, 0},
    ControlSpec{1026, K::CheckBox, "Use Tokens", kModifiers, "", true, true, 0},
    ControlSpec{1027, K::AmountEdit, "Purchase Limit", kSaf, "0.00", true, true, 0},
    ControlSpec{1028, K::CheckBox, "Prompt for Cash Back", kModifiers, "", true, true, 0},
    ControlSpec{1029, K::CheckBox, "Suppress Amount OK", kModifiers, "", true, true, 0},
    ControlSpec{1030, K::Edit, "AuthCode", "", "", true, true, 0},
    ControlSpec{1031, K::Edit, "Refnumber ", "", "1", true, true, 0},
    ControlSpec{1032, K::Button, "Void Return", "", "", true, true, 0},
    ControlSpec{1033, K::Button, "EMV ParamDownload", "", "", true, true, 0},
    ControlSpec{1034, K::Radio, "English Local Lang", kMerchantLang, "", true, true, 1034},
    ControlSpec{1035, K::Radio, "French Local Lang", kMerchantLang, "", true, true, 1034},
    ControlSpec{1036, K::Button, "Post/Voice Auth", "", "", true, true, 0},
    ControlSpec{1037, K::MultiLineEdit, "Test Case Info", "", "", true, true, 0},
    ControlSpec{1038, K::Button, "Server Version", kAdmin, "", true, true, 0},
    ControlSpec{1039, K::Button, "OffLine Decline Report", kReports, "", true, true, 0},
    ControlSpec{1040, K::Button, "Public Key Report", kReports, "", true, true, 0},
    ControlSpec{1041, K::Button, "EMV Params Report", kReports, "", true, true, 0},
    ControlSpec{1042, K::Button, SpecOf(TranCode::BatchSummary).name, kAdmin, "", true, true, 0},
    ControlSpec{1043, K::Button, "EMV Statistics Report", kReports, "", true, true, 0},
    ControlSpec{1044, K::Button, SpecOf(TranCode::BatchClose).name, kAdmin, "", true, true, 0},
    ControlSpec{1045, K::Edit, "AcqRefData", "", "", true, true, 0},
    ControlSpec{1046, K::Button, "Run Script", kNeverUse, "", true, false, 0},
    ControlSpec{1047, K::Radio, "English Fallback Lang", kFallbackLang, "", true, true, 1052},
    ControlSpec{1048, K::Radio, "French Fallback Lang", kFallbackLang, "", true, true, 1052},
    ControlSpec{1049, K::Button, SpecOf(TranCode::GetPrePaidStripe).name, "", "", true, true, 0},
    ControlSpec{1050, K::Button, "Reset SequenceNo", "", "", true, true, 0},
    ControlSpec{1052, K::Radio, "No Fallback Lang ", kFallbackLang, "", true, true, 1052},
    ControlSpec{1053, K::Button, "Tran Test Mode", kNeverUse, "", true, true, 0},
    ControlSpec{1054, K::Button, "GIFT\rCARDS", "", "", true, false, 0},
    ControlSpec{1055, K::Edit, "Record Number", "", "", true, true, 0},
    ControlSpec{1056, K::Edit, "PINPadIPAddress", kSetup, "", false, true, 0},
    ControlSpec{1057, K::Edit, "PINPadIPPort", kSetup, "", false, true, 0},
    ControlSpec{1059, K::CheckBox, "Interac Debit Only", kModifiers, "", true, true, 0},
    ControlSpec{1062, K::Button, "Balance Inq", "", "", true, true, 0},
    ControlSpec{1063, K::Label, "PINPadIPAddress", kSetup, "PINPadIPAddress", false, true, 0},
    ControlSpec{1064, K::Label, "PINPadIPPort", kSetup, "PINPadIPPort", false, true, 0},
    ControlSpec{1065, K::Button, "PreAuth", kSetup, "", true, true, 0},
    ControlSpec{1066, K::Button, "PreAuthCapture", kSetup, "", true, true, 0},
    ControlSpec{1067, K::Button, "ZeroAuth", kSetup, "", true, true, 0},
    ControlSpec{1068, K::Button, "Partial  Reversal", kSetup, "", true, true, 0},
    ControlSpec{1069, K::CheckBox, "Return Clear Expiration Date", kModifiers, "", true, true, 0},
    ControlSpec{1070, K::Button, "STATS", kSaf, "", true, true, 0},
    ControlSpec{1071, K::CheckBox, "Force Offline", kSaf, "", true, true, 0},
    ControlSpec{1072, K::CheckBox, "Suppress Signature", kModifiers, "", true, true, 0},
    ControlSpec{1073, K::CheckBox, "Card Not Pres on Man", kModifiers, "", true, true, 0},
    ControlSpec{1078, K::Edit, "Invoice", "", "1", true, true, 0},
    ControlSpec{1079, K::Edit, "Process Data", "", "", true, true, 0},
    ControlSpec{1080, K::Button, "Incremental Auth", kSetup, "", true, true, 0},
    ControlSpec{1085, K::Button, "Clear Resp Fields", "", "", true, true, 0},
    ControlSpec{1086, K::Button, "Adjust", kReports, "", true, true, 0},
    ControlSpec{1118, K::Edit, "Pad Reboot\r\nTime HHMM", "", "", true, true, 0},
    ControlSpec{1202, K::Button, "GetPadTypesInfo", "", "", true, true, 0},
    ControlSpec{1203, K::Tree, "", "", "", true, true, 0},
    ControlSpec{1204, K::CheckBox, "TRAN EMV", "", "", true, true, 0},
};

static_assert(std::is_sorted(kControls.begin(), kControls.end(),
                             [](const ControlSpec& a, const ControlSpec& b) {
                                 return a.id < b.id;
                             }));

}  // namespace

std::span<const ControlSpec> MainWindowControls() {
    return kControls;
}

const ControlSpec* FindControl(int id) {
    auto it = std::lower_bound(kControls.begin(), kControls.end(), id,
                               [](const ControlSpec& c, int v) { return c.id < v; });
    return (it != kControls.end() && it->id == id) ? &*it : nullptr;
}

}  // namespace nt
