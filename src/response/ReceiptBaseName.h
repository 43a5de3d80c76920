#pragma once

#include <string>

namespace nt {

// Base name of the receipt file: the test case info itself when it is a usable file name part,
// else "Receipt". The nine characters Windows forbids make it unusable, and so do control
// characters (0x00-0x1F, 0x7F): line breaks and TABs in a file name trip up every tool that
// lists it, and a NUL would cut the name short.
std::string ReceiptBaseName(const std::string& testCaseInfo);

}  // namespace nt
