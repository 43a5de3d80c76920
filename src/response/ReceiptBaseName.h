#pragma once

#include <string>

namespace nt {

// Base name of the receipt file: the test case info itself when it is a usable file name part,
// else "Receipt". Only the nine characters Windows forbids are checked; line breaks pass.
std::string ReceiptBaseName(const std::string& testCaseInfo);

}  // namespace nt
