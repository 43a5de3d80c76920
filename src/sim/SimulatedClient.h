#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "transaction/PaymentClient.h"

namespace nt {

struct SimulatorOptions {
    std::string journalPath;    // the file that keeps the journal; empty: memory only
    bool freshJournal = false;  // discard what the file holds
    bool duplicateCheck = false;
    bool isolated = false;  // the .57 and .58 triggers hang and crash (a helper process runs it)
    std::chrono::milliseconds faultDelay{3000};  // the .56 trigger's
};

// The journal in the working folder; NORDTELLER_SIM_FRESH and NORDTELLER_SIM_DUPLICATES set to
// anything but "" or "0" start a fresh journal and switch duplicate checking on;
// NORDTELLER_SIM_DELAY_MS is the .56 trigger's delay. In a helper process
// (NORDTELLER_ISOLATED_CLIENT) the .57 and .58 triggers hang and crash.
SimulatorOptions SimulatorOptionsFromEnvironment();

// The built-in simulated payment client: answers every TranCode the client composes with a
// realistic response, keeps the books of its batch in a journal file (see
// SimulatorOptionsFromEnvironment), and never fails a call of method 1 (a request it cannot
// serve gets an error response). Receipts are stamped with the local clock.
std::unique_ptr<PaymentClient> MakeSimulatedClient();
// The same with the clock that stamps receipts and reports (it must outlive the client) and a
// journal kept in memory only.
std::unique_ptr<PaymentClient> MakeSimulatedClient(Clock& clock);
std::unique_ptr<PaymentClient> MakeSimulatedClient(Clock& clock, const SimulatorOptions& options);

}  // namespace nt
