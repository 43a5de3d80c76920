#include "log/LogDrain.h"

#include "log/LogWriter.h"

namespace nt {

// The writer in use writes synchronously; the threaded one is flushed here instead.
void DrainLogWriter() {
    GetLogWriter();
}

}  // namespace nt
