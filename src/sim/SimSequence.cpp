#include "sim/SimSequence.h"

#include <cctype>
#include <cstdio>

namespace nt::sim {

bool IsSimSequenceNo(const std::string& text) {
    if (text.size() != 10 || text.compare(0, 3, "001") != 0 || text.back() != '0') {
        return false;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

std::string NextSequenceNo(const std::string& valid) {
    long value = 0;
    for (char c : valid) {
        value = value * 10 + (c - '0');
    }
    if (value + 10 > 19999990) {
        return "0010010010";
    }
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%010ld", value + 10);
    return buffer;
}

std::string SimSequence::Answer(const std::string& requested) {
    last_ = NextSequenceNo(IsSimSequenceNo(requested) ? requested : last_);
    return last_;
}

}  // namespace nt::sim
