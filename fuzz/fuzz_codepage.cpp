// Windows-1252 and UTF-8: every Windows-1252 text survives the trip to UTF-8 and back byte for
// byte; any text converted to Windows-1252 is stable under a further round trip.
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = nt::Cp1252ToUtf8(bytes);
    if (nt::Utf8ToCp1252(utf8) != bytes) {
        std::abort();
    }
    const std::string narrowed = nt::Utf8ToCp1252(bytes);  // the input read as UTF-8
    if (narrowed.size() > bytes.size()) {
        std::abort();  // a character never takes more bytes in Windows-1252 than in UTF-8
    }
    if (nt::Utf8ToCp1252(nt::Cp1252ToUtf8(narrowed)) != narrowed) {
        std::abort();
    }
    return 0;
}
