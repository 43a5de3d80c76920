#include "text/EmvData.h"

#include <algorithm>
#include <span>

#include "text/EmvTables.h"
#include "text/ExtractTagValue.h"

namespace nt {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr size_t kRidDigits = 10;
constexpr size_t kMaxAidDigits = 32;

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The digit's value, or -1; no locale, so only ASCII counts.
int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string HexProblem(std::string_view hex, size_t minDigits, size_t maxDigits) {
    if (!std::all_of(hex.begin(), hex.end(), [](char c) { return HexDigit(c) >= 0; })) {
        return "not hexadecimal";
    }
    const std::string given = std::to_string(hex.size()) + " given";
    if (hex.size() < minDigits || hex.size() > maxDigits) {
        const std::string range =
            minDigits == maxDigits ? std::to_string(minDigits)
                                   : std::to_string(minDigits) + " to " + std::to_string(maxDigits);
        return range + " hex digits expected, " + given;
    }
    if (hex.size() % 2 != 0) {
        return "an even number of hex digits expected, " + given;
    }
    return {};
}

EmvField Checked(std::string name, std::string_view value, size_t minDigits, size_t maxDigits) {
    EmvField field;
    field.name = std::move(name);
    field.value = Trimmed(value);
    field.problem = HexProblem(field.value, minDigits, maxDigits);
    field.decoded = field.problem.empty();
    return field;
}

std::string_view BitMeaning(std::span<const EmvBitMeaning> table, int byte, int bit) {
    const auto it = std::find_if(table.begin(), table.end(), [&](const EmvBitMeaning& m) {
        return m.byte == byte && m.bit == bit;
    });
    return it == table.end() ? "reserved for future use" : it->meaning;
}

EmvField DecodeBits(std::string name, std::string_view value, size_t bytes,
                    std::span<const EmvBitMeaning> table) {
    EmvField field = Checked(std::move(name), value, bytes * 2, bytes * 2);
    if (!field.decoded) {
        return field;
    }
    for (size_t i = 0; i < bytes; ++i) {
        const int byteValue = HexDigit(field.value[2 * i]) * 16 + HexDigit(field.value[2 * i + 1]);
        const int byte = static_cast<int>(i) + 1;
        for (int bit = 8; bit >= 1; --bit) {
            if ((byteValue >> (bit - 1) & 1) != 0) {
                field.meanings.push_back("byte " + std::to_string(byte) + " bit " +
                                         std::to_string(bit) + ": " +
                                         std::string(BitMeaning(table, byte, bit)));
            }
        }
    }
    return field;
}

std::string Upper(std::string_view hex) {
    std::string upper(hex);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    return upper;
}

std::string ApplicationMeaning(const std::string& aid) {
    const std::string pix = aid.substr(kRidDigits);
    if (pix.empty()) {
        return "application: none named (the AID is the RID alone)";
    }
    // The longest registered AID the card's AID starts with, as partial selection matches.
    const EmvApplication* best = nullptr;
    for (const EmvApplication& app : EmvApplicationTable()) {
        if (aid.starts_with(app.aid) && (best == nullptr || app.aid.size() > best->aid.size())) {
            best = &app;
        }
    }
    if (best == nullptr) {
        return "application: not in the table (PIX " + pix + ")";
    }
    const std::string registered(best->aid.substr(kRidDigits));
    const std::string extension = pix.substr(registered.size());
    return "application: " + std::string(best->name) + " (PIX " + registered +
           (extension.empty() ? "" : ", followed by " + extension) + ")";
}

}  // namespace

EmvField DecodeTvr(std::string_view value) {
    return DecodeBits("TVR", value, 5, TvrBitTable());
}

EmvField DecodeTsi(std::string_view value) {
    return DecodeBits("TSI", value, 2, TsiBitTable());
}

EmvField DecodeAid(std::string_view value) {
    EmvField field = Checked("AID", value, kRidDigits, kMaxAidDigits);
    if (!field.decoded) {
        return field;
    }
    const std::string aid = Upper(field.value);
    const std::string rid = aid.substr(0, kRidDigits);
    const auto providers = EmvProviderTable();
    const auto provider = std::find_if(providers.begin(), providers.end(),
                                       [&](const EmvProvider& p) { return p.rid == rid; });
    field.meanings.push_back("registered application provider: " +
                             (provider == providers.end() ? std::string("not in the table")
                                                          : std::string(provider->name)) +
                             " (RID " + rid + ")");
    field.meanings.push_back(ApplicationMeaning(aid));
    return field;
}

std::vector<EmvField> DecodeEmvData(std::string_view responseXml) {
    const std::string xml(responseXml);
    std::vector<EmvField> fields;
    const auto add = [&](const char* tag, EmvField (*decode)(std::string_view)) {
        const std::string value = ExtractTagValue(xml, tag);
        if (!Trimmed(value).empty()) {
            fields.push_back(decode(value));
        }
    };
    add("TVR", DecodeTvr);
    add("TSI", DecodeTsi);
    add("AID", DecodeAid);
    return fields;
}

std::string FormatEmvBlock(const std::vector<EmvField>& fields) {
    if (fields.empty()) {
        return {};
    }
    std::string block = "EMV data\n";
    for (const EmvField& field : fields) {
        block += field.name + " " + field.value;
        if (!field.decoded) {
            block += " (not decoded: " + field.problem + ")";
        }
        block += "\n";
        if (field.decoded && field.meanings.empty()) {
            block += "    no bit set\n";
        }
        for (const std::string& meaning : field.meanings) {
            block += "    " + meaning + "\n";
        }
    }
    return block;
}

}  // namespace nt
