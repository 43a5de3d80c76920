#include "transaction/ClientOutput.h"

#include <cstdio>

namespace nt {

void ClientOutput::Append(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            Emit();
        } else if (line_.size() < kClientOutputLineLimit) {
            line_ += c;
        } else {
            ++cut_;
        }
    }
}

void ClientOutput::Finish() {
    if (!line_.empty() || cut_ > 0) {
        Emit();
    }
}

void ClientOutput::Emit() {
    if (cut_ == 0 && !line_.empty() && line_.back() == '\r') {
        line_.pop_back();
    }
    std::string shown;
    shown.reserve(line_.size());
    for (const char c : line_) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    if (cut_ > 0) {
        shown += " [" + std::to_string(cut_) + " more bytes cut]";
    }
    line_.clear();
    cut_ = 0;
    if (sink_) {
        sink_(shown);
    }
}

}  // namespace nt
