#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "text/EscapeText.h"

namespace nt {

// What the operator would see, one line per thing, in order (headless mode's stdout).
class Transcript {
  public:
    explicit Transcript(std::ostream& out) : out_(out) {}

    // A line already in transcript form.
    void Line(std::string_view line);
    // "KIND: TEXT".
    void Entry(std::string_view kind, std::string_view text);
    // "KIND: TEXT -> OUTCOME"; the outcome is written as given.
    void Entry(std::string_view kind, std::string_view text, std::string_view outcome);
    void Flush() { out_.flush(); }

  private:
    std::ostream& out_;
};

}  // namespace nt
