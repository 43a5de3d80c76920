#include "sim/SimCard.h"

namespace nt::sim {

SimCard BrandCard(CardBrand brand) {
    switch (brand) {
        case CardBrand::Debit:
            return {brand, "DEBIT", "XXXXXXXXXXXX0018", "Interac", "A0000002771010", "Chip", false};
        case CardBrand::Visa:
            return {brand,  "VISA", "XXXXXXXXXXXX0119", "VISA CREDIT", "A0000000031010",
                    "Chip", false};
        case CardBrand::MasterCard:
            break;
    }
    return {CardBrand::MasterCard,
            "M/C",
            "XXXXXXXXXXXX0012",
            "MASTERCARD",
            "A0000000041010",
            "Chip",
            true};
}

SimCard ChooseCard(const SimRequest& request, int64_t cents) {
    const CardBrand brand = request.cardType == "DEBIT" ? CardBrand::Debit
                            : (cents / 100) % 2 == 0    ? CardBrand::Visa
                                                        : CardBrand::MasterCard;
    SimCard card = BrandCard(brand);
    card.entryMethod = request.keyed ? "Keyed" : "Chip";
    card.signature = !card.Debit() && !request.signatureSuppressed &&
                     (request.keyed || card.brand == CardBrand::MasterCard);
    return card;
}

}  // namespace nt::sim
