#include "app/ClientFactory.h"

#include "sim/SimulatedClient.h"
#include "transaction/PluginClient.h"

namespace nt {

PaymentClientFactory MakeClientFactory(const std::string& control) {
    if (control == "sim") {
        return [](std::string&) -> std::unique_ptr<PaymentClient> { return MakeSimulatedClient(); };
    }
    return [control](std::string& error) -> std::unique_ptr<PaymentClient> {
        return PluginClient::Load(control, error);
    };
}

}  // namespace nt
