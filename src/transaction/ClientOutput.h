#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace nt {

// The longest line of the payment client's output that is passed on whole.
inline constexpr size_t kClientOutputLineLimit = 4096;

// Splits what the payment client writes to its standard output or error into lines for the
// program's stderr and log. A line longer than the limit is cut there, with a note of how much
// was left out; a CR before the line end goes; control characters but TAB are written \xHH, so
// nothing the client prints can drive the terminal.
class ClientOutput {
  public:
    explicit ClientOutput(std::function<void(const std::string& line)> sink)
        : sink_(std::move(sink)) {}

    void Append(const char* data, size_t size);
    // The last line, when it had no line end.
    void Finish();

  private:
    void Emit();

    std::function<void(const std::string&)> sink_;
    std::string line_;
    size_t cut_ = 0;  // bytes of the current line beyond the limit
};

}  // namespace nt
