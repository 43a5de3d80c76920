// A plugin that fails the way a real one can, one call at a time. CB_FAULTY_MODES is a comma
// list of modes for method 1's calls in order (the last one repeats; unset: ok). The calls are
// counted in the file CB_FAULTY_COUNT_FILE when set, so that the count goes on in a new process.
//   ok       an approved sale
//   crash    SIGSEGV          abort    abort()           exit     exit(0)
//   hang     never returns    slow     CB_FAULTY_SLOW_MS (default 1000) ms, then ok
//   stubborn ignores SIGTERM and never returns
//   huge     an answer of CB_FAULTY_HUGE_MB (default 17) MiB
//   chatter  lines on stdout and stderr (one with an escape sequence, one of 10000 bytes), ok
//   fds      "descriptors: N=TARGET ..." on stderr for every open descriptor, then ok
//   badframe writes a frame header announcing 100 MiB to descriptor 3, then hangs
// Method 2 always answers a one-entry catalog. Loading the library appends "loaded" to the
// file CB_FAULTY_LOADED when set.
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "StatelessPlugin.h"

namespace {

const char kApproved[] =
    "<?xml version=\"1.0\"?><TStream><CmdResponse><CmdStatus>Approved</CmdStatus>"
    "<TextResponse>APPROVED</TextResponse><SequenceNo>0010010020</SequenceNo></CmdResponse>"
    "<TranResponse><RefNo>77</RefNo><Amount><Purchase>1.00</Purchase>"
    "<Gratuity>0.00</Gratuity></Amount></TranResponse></TStream>";

long EnvNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atol(value) : fallback;
}

void SleepMs(long ms) {
    timespec wait{ms / 1000, (ms % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

// This call's number, from 1.
long NextCall() {
    static long inMemory = 0;
    const char* path = std::getenv("CB_FAULTY_COUNT_FILE");
    if (path == nullptr) {
        return ++inMemory;
    }
    long count = 0;
    if (std::FILE* f = std::fopen(path, "r")) {
        if (std::fscanf(f, "%ld", &count) != 1) {
            count = 0;
        }
        std::fclose(f);
    }
    ++count;
    if (std::FILE* f = std::fopen(path, "w")) {
        std::fprintf(f, "%ld\n", count);
        std::fclose(f);
    }
    return count;
}

std::string ModeOf(long call) {
    const char* modes = std::getenv("CB_FAULTY_MODES");
    std::string list = modes != nullptr ? modes : "ok";
    std::string mode;
    size_t start = 0;
    for (long i = 1; i <= call; ++i) {
        const size_t comma = list.find(',', start);
        mode = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return mode;
}

__attribute__((constructor)) void NoteLoaded() {
    if (const char* path = std::getenv("CB_FAULTY_LOADED")) {
        if (std::FILE* f = std::fopen(path, "a")) {
            std::fputs("loaded\n", f);
            std::fclose(f);
        }
    }
}

void ReportDescriptors() {
    std::string line = "descriptors:";
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr) {
        return;
    }
    const int own = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own) {
            continue;
        }
        char target[512] = {};
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
        line += std::string(" ") + entry->d_name + "=" + (n > 0 ? target : "?");
    }
    closedir(dir);
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    const std::string mode = ModeOf(NextCall());
    if (mode == "crash") {
        raise(SIGSEGV);
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "exit") {
        std::exit(0);
    } else if (mode == "hang") {
        for (;;) {
            pause();
        }
    } else if (mode == "stubborn") {
        signal(SIGTERM, SIG_IGN);
        for (;;) {
            pause();
        }
    } else if (mode == "slow") {
        SleepMs(EnvNumber("CB_FAULTY_SLOW_MS", 1000));
    } else if (mode == "huge") {
        const size_t size = static_cast<size_t>(EnvNumber("CB_FAULTY_HUGE_MB", 17)) << 20;
        char* text = static_cast<char*>(std::malloc(size + 1));
        std::memset(text, 'H', size);
        text[size] = '\0';
        *response = text;
        return 0;
    } else if (mode == "chatter") {
        std::printf("chatter on stdout\n");
        std::fprintf(stderr, "chatter on stderr \x1b[31mred\r\n");
        std::printf("%s\n", std::string(10000, 'x').c_str());
        std::fflush(stdout);
    } else if (mode == "fds") {
        ReportDescriptors();
    } else if (mode == "badframe") {
        const unsigned char header[12] = {0, 0, 0, 0, 0, 0, 0x40, 0x06, 0, 0, 0, 0};
        if (write(3, header, sizeof header) == sizeof header) {
            for (;;) {
                pause();
            }
        }
    }
    *response = strdup(kApproved);
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = strdup("<PadTypeID1>Faulty</PadTypeID1><Processor1>P</Processor1>");
    return 0;
}
}
