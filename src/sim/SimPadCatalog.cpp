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
    {"VX820", "Global", "Verifone"},
    {"VX805", "Global", "Verifone"},
    {"P400", "Global", "Verifone"},
    {"iPP320", "Global", "Ingenico"},
    {"iPP350", "Global", "Ingenico"},
    {"iPP320_POSPAD", "Moneris", "Ingenico"},
    {"Lane3000_POSPAD", "Moneris", "Ingenico"},
    {"P400_POSPAD", "Moneris", "Verifone"},
    {"A35_POSPAD", "Moneris", "PAX"},
    {"P400Plus", "TD Merchant", "Verifone"},
    {"VX820", "TD Merchant", "Verifone"},
    {"A80", "TD Merchant", "PAX"},
    {"Desk5000", "Elavon", "Ingenico"},
    {"Move5000", "Elavon", "Ingenico"},
    {"S300", "Elavon", "PAX"},
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
