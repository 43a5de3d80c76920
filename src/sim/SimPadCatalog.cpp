#include "sim/SimPadCatalog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "sim/SimXml.h"

namespace nt::sim {

namespace {

struct PadEntry {
    const char* id;
    const char* processor;
    const char* manufacturer;
};

// Several processors share manufacturers and one pad type, so the tree shows every shape.
const PadEntry kPads[] = {
    {"KT820", "Northwind Payments", "Kestrel Devices"},
    {"KT805", "Northwind Payments", "Kestrel Devices"},
    {"KP400", "Northwind Payments", "Kestrel Devices"},
    {"LM320", "Northwind Payments", "Lumatek"},
    {"LM350", "Northwind Payments", "Lumatek"},
    {"LM320_POSPAD", "Aurora Acquiring", "Lumatek"},
    {"LM3000_POSPAD", "Aurora Acquiring", "Lumatek"},
    {"KP400_POSPAD", "Aurora Acquiring", "Kestrel Devices"},
    {"PC35_POSPAD", "Aurora Acquiring", "Pinecrest Systems"},
    {"KP400X", "Lakeshore Merchant Services", "Kestrel Devices"},
    {"KT820", "Lakeshore Merchant Services", "Kestrel Devices"},
    {"PC80", "Lakeshore Merchant Services", "Pinecrest Systems"},
    {"LM5000", "Tundra Processing", "Lumatek"},
    {"LM5000M", "Tundra Processing", "Lumatek"},
    {"PC300", "Tundra Processing", "Pinecrest Systems"},
};

// No catalog comes near this size; a larger file is refused rather than read into memory.
constexpr size_t kMaxCatalogBytes = 16u << 20;

// The whole file; nullopt when it cannot be opened or read, is not a regular file (opening does
// not wait on a FIFO) or is larger than kMaxCatalogBytes.
std::optional<std::string> ReadWholeFile(const char* path, std::string& why) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "not a regular file";
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            why = std::strerror(errno);
            ::close(fd);
            return std::nullopt;
        }
        content.append(buffer, static_cast<size_t>(got));
        if (content.size() > kMaxCatalogBytes) {
            why = "larger than 16 MiB";
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return content;
}

}  // namespace

std::string BuiltInPadCatalog() {
    SimXml xml;
    xml.Open("PadTypesInfo");
    int n = 0;
    for (const PadEntry& pad : kPads) {
        const std::string number = std::to_string(++n);
        xml.Element("PadTypeID" + number, pad.id);
        xml.Element("Processor" + number, pad.processor);
        xml.Element("Manufacturer" + number, pad.manufacturer);
    }
    return xml.Finish();
}

ClientReply PadTypesInfo() {
    const char* path = std::getenv("NORDTELLER_SIM_CATALOG");
    if (path == nullptr || *path == '\0') {
        return ClientReply{0, BuiltInPadCatalog(), {}};
    }
    std::string why;
    std::optional<std::string> content = ReadWholeFile(path, why);
    if (!content) {
        return ClientReply{
            kClientFail, {}, std::string("Cannot read the pad catalog ") + path + ": " + why};
    }
    return ClientReply{0, std::move(*content), {}};
}

}  // namespace nt::sim
