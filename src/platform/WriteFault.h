#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace nt {

// Every file write of the program goes through WriteSome, so tests can make the disk fail: after
// a budget of bytes, writes to matching files fail with a chosen error (ENOSPC for a full disk,
// EIO for a failing one). A write that crosses the budget is cut short there, as a filling disk
// does. Off by default; when off, WriteSome is one relaxed load and the plain write.
struct WriteFault {
    std::string pathContains;  // only files whose path holds this text (a save's temporary
                               // file: the path of the file it replaces); empty: every file
    size_t bytesBeforeFailure = 0;
    int error = 0;
};

void ArmWriteFault(const WriteFault& fault);
void DisarmWriteFault();
// Bytes the armed fault let through to matching files so far.
size_t WriteFaultBytesPassed();

// write(2) through the fault seam.
ssize_t WriteSome(int fd, const void* data, size_t size);

// Whether a fault is armed: a copy the kernel would make without write(2) must then go through
// WriteSome instead.
bool WriteFaultArmed();

// Arms a fault for a scope; disarms at its end, by any way out.
class ScopedWriteFault {
  public:
    explicit ScopedWriteFault(const WriteFault& fault) { ArmWriteFault(fault); }
    ~ScopedWriteFault() { DisarmWriteFault(); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

}  // namespace nt
