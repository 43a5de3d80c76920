#include "sim/SimTestSupport.h"

#include "platform/Codepage.h"

namespace nt::test {

std::string SimRequestText::Text() const {
    std::string t = "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<" + wrapper + ">\r\n";
    t += "\t\t<MerchantID>" + merchantId + "</MerchantID>\r\n";
    t += "\t\t<UserTrace>tester</UserTrace>\r\n";
    t += "\t\t<TranCode>" + tranCode + "</TranCode>\r\n";
    for (const auto& [name, value] : fields) {
        t += "\t\t<" + name + ">" + value + "</" + name + ">\r\n";
    }
    if (!amount.empty()) {
        t += "\t\t<Amount>\r\n";
        for (const auto& [name, value] : amount) {
            t += "\t\t\t<" + name + ">" + value + "</" + name + ">\r\n";
        }
        t += "\t\t</Amount>\r\n";
    }
    t += "\t\t<SequenceNo>" + sequenceNo + "</SequenceNo>\r\n";
    return t + "\t</" + wrapper + ">\r\n</TStream>\r\n";
}

void ParseSimResponse(const std::string& text, SimResponse& out) {
    const std::string utf8 = Cp1252ToUtf8(text);
    out.ok = static_cast<bool>(out.doc.load_buffer(utf8.data(), utf8.size()));
}

std::string SimResponse::Get(const std::string& name) const {
    const pugi::xpath_node node = doc.select_node(("//" + name).c_str());
    return node ? Utf8ToCp1252(node.node().text().get()) : "<none>";
}

std::vector<std::string> SimResponse::Lines(const std::string& parent,
                                            const std::string& prefix) const {
    std::vector<std::string> lines;
    const pugi::xml_node p = doc.select_node(("//" + parent).c_str()).node();
    for (int n = 1;; ++n) {
        const pugi::xml_node line = p.child((prefix + std::to_string(n)).c_str());
        if (!line) {
            return lines;
        }
        std::string text = Utf8ToCp1252(line.text().get());
        text.erase(0, text.find_first_not_of('.') == std::string::npos
                          ? text.size()
                          : text.find_first_not_of('.'));
        lines.push_back(text);
    }
}

}  // namespace nt::test
