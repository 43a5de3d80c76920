#include "app/ClientFactory.h"

#include <unistd.h>

#include <mutex>

#include "log/LogWriter.h"
#include "platform/Codepage.h"
#include "sim/SimulatedClient.h"
#include "transaction/IsolatedClient.h"
#include "transaction/PluginClient.h"

namespace nt {

namespace {

ClientIsolation& ProcessIsolation() {
    static ClientIsolation isolation;
    return isolation;
}

// The helper started ahead, until a client of its plugin takes it.
struct Prestarted {
    std::mutex mutex;
    std::string plugin;
    std::unique_ptr<ChildProcess> helper;
};

Prestarted& PrestartedHelper() {
    static Prestarted prestarted;
    return prestarted;
}

std::unique_ptr<ChildProcess> TakePrestarted(const std::string& plugin) {
    Prestarted& slot = PrestartedHelper();
    std::lock_guard lock(slot.mutex);
    return slot.plugin == plugin ? std::move(slot.helper) : nullptr;
}

// One write per line, so that lines of the helper and of the program never interleave.
void TellClientOutput(const std::string& line) {
    const std::string shown = "payment client: " + line + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, shown.data(), shown.size());
    LogLine(GetLogWriter(), "PAYMENT CLIENT OUTPUT: %s", Utf8ToCp1252(line).c_str());
}

}  // namespace

void SetClientIsolation(const ClientIsolation& isolation) {
    ProcessIsolation() = isolation;
}

void PrestartClientHelper(const std::string& control) {
    const ClientIsolation& isolation = ProcessIsolation();
    if (!isolation.isolated || control == "sim") {
        return;
    }
    std::string error;  // a helper that cannot start is told when the client is created
    std::unique_ptr<ChildProcess> helper =
        IsolatedClient::SpawnHelper(isolation.program, control, error);
    Prestarted& slot = PrestartedHelper();
    std::lock_guard lock(slot.mutex);
    slot.plugin = control;
    slot.helper = std::move(helper);
}

PaymentClientFactory MakeClientFactory(const std::string& control) {
    return MakeClientFactory(control, ProcessIsolation());
}

PaymentClientFactory MakeClientFactory(const std::string& control,
                                       const ClientIsolation& isolation) {
    if (control == "sim") {
        return [](std::string&) -> std::unique_ptr<PaymentClient> {
            // In the program a hang or a crash would be the program's, whatever the environment.
            SimulatorOptions options = SimulatorOptionsFromEnvironment();
            options.isolated = false;
            return MakeSimulatedClient(SystemClock(), options);
        };
    }
    if (!isolation.isolated) {
        return [control](std::string& error) -> std::unique_ptr<PaymentClient> {
            return PluginClient::Load(control, error);
        };
    }
    return [control, isolation](std::string& error) -> std::unique_ptr<PaymentClient> {
        return IsolatedClient::Start(
            HelperOptions{isolation.program, control, isolation.timeoutSeconds, TellClientOutput},
            error, TakePrestarted(control));
    };
}

}  // namespace nt
