#include "response/ReceiptBaseName.h"

#include <algorithm>
#include <string_view>

namespace nt {

namespace {

bool Unusable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

}  // namespace

std::string ReceiptBaseName(const std::string& testCaseInfo) {
    if (testCaseInfo.empty() || std::any_of(testCaseInfo.begin(), testCaseInfo.end(), Unusable)) {
        return "Receipt";
    }
    return testCaseInfo;
}

}  // namespace nt
