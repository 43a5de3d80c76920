#pragma once

#include <string>

#include "transaction/PaymentClient.h"

namespace nt {

inline constexpr int kDefaultClientTimeoutSeconds = 300;

// How a plugin named by --control runs.
struct ClientIsolation {
    bool isolated = false;  // in a helper process; false: loaded into this process
    std::string program;    // the program started as the helper ("/proc/self/exe": this one)
    int timeoutSeconds = kDefaultClientTimeoutSeconds;  // per call; 0: no limit
};

// The choice for the whole process, made once by main from the command line before anything
// runs (helper unless --in-process). Until then plugins load into the process: test programs
// and benchmarks are not this program and cannot be its helper.
void SetClientIsolation(const ClientIsolation& isolation);

// Starts the helper of a --control plugin now, when the process-wide isolation runs one, so
// that the program's own start runs beside the helper's; the helper loads the plugin only when
// the client is created (a run refused before then changes no file). The first client of that
// plugin takes it over.
void PrestartClientHelper(const std::string& control);

// "sim": the built-in simulated payment client, always in this process; anything else: the
// path of a plugin library, run as the process-wide isolation says or as `isolation` says.
// A helper's output lines go to stderr ("payment client: ") and to the daily log.
PaymentClientFactory MakeClientFactory(const std::string& control);
PaymentClientFactory MakeClientFactory(const std::string& control,
                                       const ClientIsolation& isolation);

}  // namespace nt
