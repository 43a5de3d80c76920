#include "response/PrintLines.h"

#include "response/XmlDocument.h"

namespace nt {

std::string GetPrintLines(const std::string& responseText, const std::string& parentName) {
    CXmlDocument doc;
    if (!doc.Load(responseText)) {
        return {};
    }
    return GetPrintLines(doc, parentName);
}

std::string GetPrintLines(CXmlDocument& doc, const std::string& parentName) {
    const std::string prefix = parentName == "CustomerPrintData" ? "CustLine" : "Line";
    std::string result;
    std::string line;
    // A gap ends the list: the document is finite, so the loop is too.
    for (int n = 1; doc.GetNestedField(parentName, prefix + std::to_string(n), line); ++n) {
        const auto start = line.find_first_not_of('.');
        line.erase(0, start == std::string::npos ? line.size() : start);
        // Lines are joined, never terminated, so blank lines ahead of the first text vanish.
        if (!result.empty()) {
            result += "\r\n";
        }
        result += line;
    }
    return result;
}

}  // namespace nt
