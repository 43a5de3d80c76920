#include "log/ReceiptSink.h"

#include "log/LogWriter.h"

namespace nt {

void LogWriterReceiptSink::Trace(std::string_view entry) {
    // A stopped writer drops the entry; the receipt dialog is shown regardless.
    LogTrace(writer_, fileName_, entry);
}

}  // namespace nt
