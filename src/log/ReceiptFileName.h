#pragma once

#include <string>

namespace nt {

// Base name of the receipt file inside the log directory, "Receipt" until set. The response
// processing sets it before it renders a receipt; each receipt line keeps the name that was
// current when it was queued. Safe to call from any thread.
std::string GetReceiptFileName();
void SetReceiptFileName(std::string name);

}  // namespace nt
