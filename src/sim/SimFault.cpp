#include "sim/SimFault.h"

#include <signal.h>
#include <unistd.h>

#include <thread>

#include "sim/SimResponse.h"

namespace nt::sim {

Fault FaultOf(int64_t trigger) {
    switch (trigger % 100) {
        case 56:
            return Fault::kDelay;
        case 57:
            return Fault::kNoAnswer;
        case 58:
            return Fault::kCrash;
        case 59:
            return Fault::kNotXml;
        default:
            return Fault::kNone;
    }
}

std::optional<std::string> ActOut(Fault fault, const FaultSettings& settings,
                                  const std::string& sequenceNo, const std::string& userTrace) {
    switch (fault) {
        case Fault::kNone:
            break;
        case Fault::kDelay:
            std::this_thread::sleep_for(settings.delay);
            break;
        case Fault::kNotXml:
            return "SIMULATED FAULT: this answer is not XML\r\n";
        case Fault::kNoAnswer:
            if (settings.isolated) {
                for (;;) {
                    ::pause();
                }
            }
            return ErrorResponse("Client", kRcFaultNotActed,
                                 "NO ANSWER NEEDS THE PLUGIN IN A HELPER", sequenceNo, userTrace);
        case Fault::kCrash:
            if (settings.isolated) {
                ::raise(SIGSEGV);
            }
            return ErrorResponse("Client", kRcFaultNotActed, "CRASH NEEDS THE PLUGIN IN A HELPER",
                                 sequenceNo, userTrace);
    }
    return std::nullopt;
}

}  // namespace nt::sim
