#pragma once

#include <string>

#include "form/ObservingOperator.h"
#include "log/LogWriter.h"
#include "pads/PadCatalog.h"
#include "platform/Form.h"
#include "pos/PosState.h"

namespace nt {

// Takes over the payment client's responses: the sequence number into the POS state, the
// reference fields into the form, tones for missing amounts, and the receipt.
class ResponseProcessor {
  public:
    ResponseProcessor(Form& form, ObservingOperator& op, const PadCatalog& pads, PosState& pos,
                      CLogWriter& log)
        : form_(form), op_(op), pads_(pads), pos_(pos), log_(log) {}
    ResponseProcessor(const ResponseProcessor&) = delete;
    ResponseProcessor& operator=(const ResponseProcessor&) = delete;

    // False when the text is not XML (nothing changed then).
    bool HandleResponse(const std::string& response);

  private:
    Form& form_;
    ObservingOperator& op_;
    const PadCatalog& pads_;
    PosState& pos_;
    CLogWriter& log_;
};

}  // namespace nt
