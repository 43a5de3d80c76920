#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nt {

// Answers ExtractTagValue for many names over one large text without scanning it again for
// each name: one pass records where every short opening and closing tag stands. Results are
// the same as the plain search's, byte for byte.
class TagIndex {
  public:
    explicit TagIndex(std::string_view text);

    // The text between the first "<name>" and the next "</name>" at or after it; empty when
    // either is missing.
    std::string Value(const std::string& name) const;

  private:
    static constexpr size_t kMaxIndexedName = 64;

    std::string_view text_;
    std::unordered_map<std::string_view, size_t> firstOpen_;
    std::unordered_map<std::string_view, std::vector<size_t>> closes_;
};

}  // namespace nt
