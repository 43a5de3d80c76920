#include "log/LogDrain.h"

#include "log/LogWriter.h"

namespace nt {

void DrainLogWriter() {
    GetLogWriter().Flush();
}

}  // namespace nt
