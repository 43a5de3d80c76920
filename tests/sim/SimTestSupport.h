#pragma once

#include <pugixml.hpp>

#include <string>
#include <utility>
#include <vector>

namespace nt::test {

// A request shaped as the client composes it (TAB indentation, CR LF), Windows-1252.
struct SimRequestText {
    explicit SimRequestText(std::string code = "EMVSale") : tranCode(std::move(code)) {}

    std::string tranCode;
    std::string wrapper = "Transaction";
    std::string sequenceNo = "0010010010";
    std::string merchantId = "4445012345";
    std::vector<std::pair<std::string, std::string>> fields;  // wrapper children, in order
    std::vector<std::pair<std::string, std::string>> amount;  // Amount members, in order

    SimRequestText& Field(const std::string& name, const std::string& value) {
        fields.emplace_back(name, value);
        return *this;
    }
    SimRequestText& Amount(const std::string& name, const std::string& value) {
        amount.emplace_back(name, value);
        return *this;
    }
    std::string Text() const;
};

// A response parsed after conversion from Windows-1252; `ok` false when it is not XML.
struct SimResponse {
    bool ok = false;
    pugi::xml_document doc;

    // The text of the first element of that name anywhere, converted back to Windows-1252;
    // "<none>" when there is no such element.
    std::string Get(const std::string& name) const;
    // The numbered lines below parent (Line1.. or CustLine1..), leading full stops removed.
    std::vector<std::string> Lines(const std::string& parent, const std::string& prefix) const;
};

void ParseSimResponse(const std::string& text, SimResponse& out);

}  // namespace nt::test
