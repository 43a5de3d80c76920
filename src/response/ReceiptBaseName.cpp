#include "response/ReceiptBaseName.h"

namespace nt {

std::string ReceiptBaseName(const std::string& testCaseInfo) {
    if (testCaseInfo.empty() || testCaseInfo.find_first_of("\\/:*?\"<>|") != std::string::npos) {
        return "Receipt";
    }
    return testCaseInfo;
}

}  // namespace nt
