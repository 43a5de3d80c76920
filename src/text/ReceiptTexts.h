#pragma once

#include <array>
#include <string_view>

namespace nt::receipt {

// Everything a receipt prints besides the response's own lines. The control path and the serial
// terminal path both compose receipts from these, so they live in one place.

inline constexpr int kWidth = 40;

inline constexpr std::string_view kMerchantName = "MERCHANT NAME";
inline constexpr std::string_view kMerchantStreet = "MERCHANT STREET";
inline constexpr std::string_view kCityProvince = "CITY, PROVINCE CODE";
inline constexpr std::string_view kPostalCode = "POSTAL CODE";
inline constexpr std::string_view kCityProvincePostal = "CITY, PROVINCE CODE  POSTAL CODE";
inline constexpr std::string_view kPhone = "123-456-7890";
inline constexpr std::string_view kDescription = "DESCRIPTION: Merchandise";

// The control path's merchant block: city and postal code share a line.
inline constexpr std::array<std::string_view, 4> kMerchantBlock = {kMerchantName, kMerchantStreet,
                                                                   kCityProvincePostal, kPhone};

inline constexpr std::string_view kHeaderEnglish = "TRANSACTION RECORD";
inline constexpr std::string_view kHeaderFrench = "RELEVE DE TRANSACTION";
inline constexpr std::string_view kClosingEnglish = "No Refund";
inline constexpr std::string_view kClosingFrench = "Pas de remboursement";

// The accented letters are the three bytes EF BF BD each, exactly as receipts have always
// carried them; the literals are split so the hex escapes stop where they should.
inline constexpr std::string_view kNoRefund = "No Refund/Pas de remboursement";
inline constexpr std::string_view kStoreCredit =
    "Store Credit Only/Cr\xEF\xBF\xBD"
    "dit au magasin uniquement";
inline constexpr std::string_view kThankYou = "Thank You/Merci";
inline constexpr std::string_view kComeAgain = "Please Come Again/Revenez nous voir";
inline constexpr std::string_view kCardholderCopy = "CardHolder Copy/Copie Du Titulaire";
inline constexpr std::string_view kRetain = "Retain this copy for statement verification";
inline constexpr std::string_view kConservez =
    "Conservez cette copie pour la v\xEF\xBF\xBDrification des d\xEF\xBF\xBD"
    "clarations";
inline constexpr std::string_view kMerchantCopy = "Merchant Copy/Copie Du Marchand";

inline constexpr std::array<std::string_view, 9> kCardholderClosing = {
    kNoRefund, kStoreCredit, "", kThankYou, kComeAgain, "", kCardholderCopy, kRetain, kConservez};
inline constexpr std::array<std::string_view, 7> kMerchantClosing = {
    kNoRefund, kStoreCredit, "", kThankYou, kComeAgain, "", kMerchantCopy};

inline constexpr std::string_view kRule = "--------------------------------------";

// Only the exact text "French" selects French; anything else, empty included, is English.
constexpr bool IsFrench(std::string_view language) {
    return language == "French";
}
constexpr std::string_view Header(std::string_view language) {
    return IsFrench(language) ? kHeaderFrench : kHeaderEnglish;
}
constexpr std::string_view Closing(std::string_view language) {
    return IsFrench(language) ? kClosingFrench : kClosingEnglish;
}

}  // namespace nt::receipt
