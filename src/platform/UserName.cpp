#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace nt {

namespace {

std::string LookUpUserName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
        result == nullptr || result->pw_name == nullptr) {
        return {};
    }
    std::string name = result->pw_name;
    if (name.size() > 99) {
        name.resize(99);
    }
    return name;
}

}  // namespace

// Looked up once: every request carries it, and the lookup reads the user database each time.
std::string WorkstationUserName() {
    static const std::string name = LookUpUserName();
    return name;
}

}  // namespace nt
