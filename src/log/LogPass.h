#pragma once

#include <string>

#include "log/LogQueue.h"
#include "platform/Clock.h"

namespace nt {

// Writes one taken batch: the daily log entries to the file of today's date, then the receipt
// lines to their receipt files, each file opened once. buffer is scratch space kept between
// passes. Returns false when the daily log cannot be opened: then nothing of the batch is
// written, the writer must stop, and failure says why ("cannot open PATH: REASON"). A receipt file
// that cannot be opened, nor its "ALT" twin, loses its lines of this batch; a failed write loses
// the rest of that file's lines. A receipt file that is not a regular file is passed over with a
// note in the daily log.
bool WriteLogBatch(const LogBatch& batch, const std::string& directory, Clock& clock,
                   std::string& buffer, std::string& failure);

}  // namespace nt
