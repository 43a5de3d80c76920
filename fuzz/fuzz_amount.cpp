// The amount field: any sequence of reported texts (typing, pasting, program-set texts) keeps the
// accepted text a formatted amount, and what is shown is what is accepted.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "dialogs/AmountEdit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    nt::CAmountEdit edit;
    edit.SetAmountCents(0);  // every window opens its amount fields so
    if (edit.GetAmountText() != "0.00") {
        std::abort();
    }
    while (in.remaining_bytes() > 0) {
        nt::AmountUpdate update;
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
            update = edit.SetAmountCents(in.ConsumeIntegral<long>());
        } else {
            // Typing appends at the caret, at the end; pasting or setting replaces the text.
            std::string piece = in.ConsumeRandomLengthString(16);
            const bool typed = in.ConsumeBool();
            update = edit.OnAmountUpdate(typed ? edit.GetAmountText() + piece : piece);
        }
        const std::string accepted = edit.GetAmountText();
        if (update.shown != accepted || nt::FormatAmount(accepted) != accepted) {
            std::abort();
        }
        if (update.beeps < 0 || update.beeps > 2) {
            std::abort();
        }
        (void)edit.GetAmountCents();
    }
    return 0;
}
