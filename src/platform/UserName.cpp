#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace nt {

std::string WorkstationUserName() {
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

}  // namespace nt
