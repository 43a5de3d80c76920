#pragma once

#include <memory>

#include "platform/Clock.h"
#include "transaction/PaymentClient.h"

namespace nt {

// The built-in simulated payment client: answers every TranCode the client composes with a
// realistic response, keeps a batch, and never fails a call of method 1 (a request it cannot
// serve gets an error response). Receipts are stamped with the local clock.
std::unique_ptr<PaymentClient> MakeSimulatedClient();
// The same with the clock that stamps receipts and reports; the clock must outlive the client.
std::unique_ptr<PaymentClient> MakeSimulatedClient(Clock& clock);

}  // namespace nt
