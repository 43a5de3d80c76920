#include "transaction/ClientFactory.h"

namespace nt {

// Placeholder until the simulator and the plugin loader land: no client can be created.
PaymentClientFactory MakeClientFactory(const std::string&) {
    return [](std::string& error) -> std::unique_ptr<PaymentClient> {
        error = "no payment client is available in this build";
        return nullptr;
    };
}

}  // namespace nt
