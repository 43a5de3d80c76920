#pragma once

#include <string>

namespace nt {

// The numbered receipt lines below `parentName` (CustLine1.. for "CustomerPrintData", else
// Line1..), leading full stops removed, joined with CR LF. Empty when the text is not XML or the
// first line is missing.
std::string GetPrintLines(const std::string& responseText, const std::string& parentName);

class CXmlDocument;
// The same over a response already loaded, so response processing parses it once.
std::string GetPrintLines(CXmlDocument& loaded, const std::string& parentName);

}  // namespace nt
