#pragma once

#include <span>
#include <string_view>

namespace nt {

// One set bit of a status field, numbered as EMV Book 3 numbers them: bytes from 1 at the left,
// bits from 8 (most significant) down to 1.
struct EmvBitMeaning {
    int byte;
    int bit;
    std::string_view meaning;
};

// A registered application provider, by its five-byte RID.
struct EmvProvider {
    std::string_view rid;
    std::string_view name;
};

// A registered application, by its whole AID (RID and PIX).
struct EmvApplication {
    std::string_view aid;
    std::string_view name;
};

// The meanings the decoder names; a bit missing from a bit table is reserved for future use.
std::span<const EmvBitMeaning> TvrBitTable();
std::span<const EmvBitMeaning> TsiBitTable();
std::span<const EmvProvider> EmvProviderTable();
std::span<const EmvApplication> EmvApplicationTable();

}  // namespace nt
