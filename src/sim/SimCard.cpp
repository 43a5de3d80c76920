#include "sim/SimCard.h"

namespace nt::sim {

SimCard ChooseCard(const SimRequest& request, int64_t cents) {
    SimCard card;
    if (request.cardType == "DEBIT") {
        card = {
            CardBrand::Debit, "DEBIT", "XXXXXXXXXXXX0018", "Interac", "A0000002771010", "", false};
    } else if ((cents / 100) % 2 == 0) {
        card = {CardBrand::Visa,
                "VISA",
                "XXXXXXXXXXXX0119",
                "VISA CREDIT",
                "A0000000031010",
                "",
                false};
    } else {
        card = {CardBrand::MasterCard,
                "M/C",
                "XXXXXXXXXXXX0012",
                "MASTERCARD",
                "A0000000041010",
                "",
                false};
    }
    card.entryMethod = request.keyed ? "Keyed" : "Chip";
    card.signature = !card.Debit() && !request.signatureSuppressed &&
                     (request.keyed || card.brand == CardBrand::MasterCard);
    return card;
}

}  // namespace nt::sim
