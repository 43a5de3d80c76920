#include "text/EmvTables.h"

#include <array>

namespace nt {
namespace {

// Terminal Verification Results, EMV Book 3 v4.3 Annex C, table C-5. The contactless kernels
// give some of the reserved bits meanings of their own; those are left reserved here.
constexpr std::array kTvrBits = {
    EmvBitMeaning{1, 8, "offline data authentication was not performed"},
    EmvBitMeaning{1, 7, "SDA failed"},
    EmvBitMeaning{1, 6, "ICC data missing"},
    EmvBitMeaning{1, 5, "card appears on terminal exception file"},
    EmvBitMeaning{1, 4, "DDA failed"},
    EmvBitMeaning{1, 3, "CDA failed"},
    EmvBitMeaning{1, 2, "SDA selected"},
    EmvBitMeaning{2, 8, "ICC and terminal have different application versions"},
    EmvBitMeaning{2, 7, "expired application"},
    EmvBitMeaning{2, 6, "application not yet effective"},
    EmvBitMeaning{2, 5, "requested service not allowed for card product"},
    EmvBitMeaning{2, 4, "new card"},
    EmvBitMeaning{3, 8, "cardholder verification was not successful"},
    EmvBitMeaning{3, 7, "unrecognised CVM"},
    EmvBitMeaning{3, 6, "PIN try limit exceeded"},
    EmvBitMeaning{3, 5, "PIN entry required and PIN pad not present or not working"},
    EmvBitMeaning{3, 4, "PIN entry required, PIN pad present, but PIN was not entered"},
    EmvBitMeaning{3, 3, "online PIN entered"},
    EmvBitMeaning{4, 8, "transaction exceeds floor limit"},
    EmvBitMeaning{4, 7, "lower consecutive offline limit exceeded"},
    EmvBitMeaning{4, 6, "upper consecutive offline limit exceeded"},
    EmvBitMeaning{4, 5, "transaction selected randomly for online processing"},
    EmvBitMeaning{4, 4, "merchant forced transaction online"},
    EmvBitMeaning{5, 8, "default TDOL used"},
    EmvBitMeaning{5, 7, "issuer authentication failed"},
    EmvBitMeaning{5, 6, "script processing failed before final GENERATE AC"},
    EmvBitMeaning{5, 5, "script processing failed after final GENERATE AC"},
};

// Transaction Status Information, EMV Book 3 v4.3 Annex C, table C-6; byte 2 is all reserved.
constexpr std::array kTsiBits = {
    EmvBitMeaning{1, 8, "offline data authentication was performed"},
    EmvBitMeaning{1, 7, "cardholder verification was performed"},
    EmvBitMeaning{1, 6, "card risk management was performed"},
    EmvBitMeaning{1, 5, "issuer authentication was performed"},
    EmvBitMeaning{1, 4, "terminal risk management was performed"},
    EmvBitMeaning{1, 3, "script processing was performed"},
};

// The public RID registry, for the card schemes a Canadian bench meets.
constexpr std::array kProviders = {
    EmvProvider{"A000000003", "Visa"},
    EmvProvider{"A000000004", "Mastercard"},
    EmvProvider{"A000000025", "American Express"},
    EmvProvider{"A000000065", "JCB"},
    EmvProvider{"A000000152", "Discover"},
    EmvProvider{"A000000277", "Interac"},
    EmvProvider{"A000000333", "UnionPay"},
};

// Only applications whose AID is certain; a card's AID may extend one (partial selection).
constexpr std::array kApplications = {
    EmvApplication{"A0000000031010", "Visa credit or debit"},
    EmvApplication{"A0000000032010", "Visa Electron"},
    EmvApplication{"A0000000032020", "V PAY"},
    EmvApplication{"A0000000041010", "Mastercard credit or debit"},
    EmvApplication{"A0000000043060", "Maestro"},
    EmvApplication{"A00000002501", "American Express"},
    EmvApplication{"A0000000651010", "JCB"},
    EmvApplication{"A0000001523010", "Discover"},
    EmvApplication{"A0000002771010", "Interac debit"},
    EmvApplication{"A000000333010101", "UnionPay debit"},
    EmvApplication{"A000000333010102", "UnionPay credit"},
    EmvApplication{"A000000333010103", "UnionPay quasi-credit"},
};

}  // namespace

std::span<const EmvBitMeaning> TvrBitTable() {
    return kTvrBits;
}
std::span<const EmvBitMeaning> TsiBitTable() {
    return kTsiBits;
}
std::span<const EmvProvider> EmvProviderTable() {
    return kProviders;
}
std::span<const EmvApplication> EmvApplicationTable() {
    return kApplications;
}

}  // namespace nt
