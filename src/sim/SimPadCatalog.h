#pragma once

#include <string>

#include "transaction/PaymentClient.h"

namespace nt::sim {

// The built-in pad types information document: PadTypeID1, Processor1, Manufacturer1, ...
std::string BuiltInPadCatalog();

// The pad types information the simulator answers: the content of the file named by
// NORDTELLER_SIM_CATALOG, byte for byte, when that variable is set and not empty (a failure
// when the file cannot be read), otherwise the built-in catalog.
ClientReply PadTypesInfo();

}  // namespace nt::sim
