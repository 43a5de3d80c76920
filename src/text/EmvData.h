#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nt {

// One EMV value of a response and what it says.
struct EmvField {
    std::string name;   // "TVR", "TSI" or "AID"
    std::string value;  // as given, surrounding blanks trimmed
    bool decoded = false;
    std::string problem;                // why the value could not be decoded; empty when it was
    std::vector<std::string> meanings;  // one a set bit, or the AID's provider and application
};

// Terminal Verification Results, 10 hex digits: each set bit as "byte 4 bit 8: transaction
// exceeds floor limit", byte 1 bit 8 first.
EmvField DecodeTvr(std::string_view value);

// Transaction Status Information, 4 hex digits, named as the TVR's bits are.
EmvField DecodeTsi(std::string_view value);

// Application Identifier, 10 to 32 hex digits of whole bytes: the registered provider of its
// first five bytes (RID), then the application its remaining bytes (PIX) name.
EmvField DecodeAid(std::string_view value);

// The response's TVR, TSI and AID elements decoded, in that order; an element that is missing
// or holds nothing but blanks is left out.
std::vector<EmvField> DecodeEmvData(std::string_view responseXml);

// "EMV data", then a line a field and an indented line a meaning; empty for no fields.
std::string FormatEmvBlock(const std::vector<EmvField>& fields);

}  // namespace nt
