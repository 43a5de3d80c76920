#include <cstring>
#include <string>
#include <vector>

#include "transaction/ClientHelper.h"

// The payment client's helper on its own: linked without the window's libraries, it starts in a
// fraction of the program's time. Started as the program starts it: --client-helper FD PATH.
int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], nt::kClientHelperOption) != 0) {
        return 2;
    }
    return nt::RunClientHelper(std::vector<std::string>(argv + 2, argv + argc));
}
