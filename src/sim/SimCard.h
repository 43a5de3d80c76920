#pragma once

#include <cstdint>
#include <string>

#include "sim/SimRequest.h"

namespace nt::sim {

enum class CardBrand { Visa, MasterCard, Debit };

// The card the simulated cardholder presents.
struct SimCard {
    CardBrand brand = CardBrand::Visa;
    std::string cardType;          // response CardType: "VISA", "M/C" or "DEBIT"
    std::string maskedAcct;        // twelve "X" and the last four digits
    std::string applicationLabel;  // the chip application's name
    std::string aid;
    std::string entryMethod;  // "Chip" or "Keyed"
    bool signature = false;   // the cardholder signs instead of entering a PIN

    bool Debit() const { return brand == CardBrand::Debit; }
};

// The card of that brand, read from the chip; MasterCard signs.
SimCard BrandCard(CardBrand brand);

// Interac debit when the request asks for DEBIT; otherwise Visa for an even number of whole
// dollars and MasterCard for an odd one. Keyed entry when the request prompts for the account
// number. Credit cards sign when keyed or MasterCard, unless the request suppresses signatures.
SimCard ChooseCard(const SimRequest& request, int64_t cents);

}  // namespace nt::sim
