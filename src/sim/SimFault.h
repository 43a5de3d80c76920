#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace nt::sim {

// The payment client's own faults, for testing what the program does about them, picked by the
// cents of the trigger amount: .56 answers after a delay, .57 never answers, .58 crashes, .59
// answers a text that is not XML.
enum class Fault { kNone, kDelay, kNoAnswer, kCrash, kNotXml };

Fault FaultOf(int64_t trigger);

struct FaultSettings {
    // A hang or a crash is only acted out where it costs a call and not the program: in the
    // plugin build run by a helper process.
    bool isolated = false;
    std::chrono::milliseconds delay{3000};
};

// Acts the fault out. Returns the answer that replaces the response (the text that is not XML,
// or the error response of a hang or crash that is not acted out), or nullopt when the request
// is answered as usual (after the delay).
std::optional<std::string> ActOut(Fault fault, const FaultSettings& settings,
                                  const std::string& sequenceNo, const std::string& userTrace);

}  // namespace nt::sim
