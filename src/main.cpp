#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("nordteller %s\n", NORDTELLER_VERSION);
            return 0;
        }
    }
    std::fprintf(stderr, "nordteller: the window is not built yet\n");
    return 1;
}
