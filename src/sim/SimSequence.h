#pragma once

#include <string>

namespace nt::sim {

// Ten digits, beginning "001" and ending in "0": the POS sequence number every client accepts.
bool IsSimSequenceNo(const std::string& text);

// The number after a valid one: the next multiple of ten, wrapping from 0019999990 back to
// the client's starting number 0010010010.
std::string NextSequenceNo(const std::string& valid);

// The simulator's own count, used when a request carries no valid number to follow.
class SimSequence {
  public:
    // The number for a response to a request that carried `requested`: the one after it when it
    // is valid, otherwise the one after the last number given out.
    std::string Answer(const std::string& requested);

  private:
    std::string last_ = "0010010000";  // so the first own answer is 0010010010
};

}  // namespace nt::sim
