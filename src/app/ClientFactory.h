#pragma once

#include <string>

#include "transaction/PaymentClient.h"

namespace nt {

// "sim": the built-in simulated payment client; anything else: the path of a plugin library.
PaymentClientFactory MakeClientFactory(const std::string& control);

}  // namespace nt
