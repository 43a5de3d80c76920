// A plugin for end-to-end tests. Method 1 appends each request, byte for byte, to the file
// named by NORDTELLER_TEST_CALL_LOG (when set) and answers the content of the file named by
// NORDTELLER_TEST_RESPONSE, read afresh on every call. Method 2 answers the content of the file
// named by NORDTELLER_TEST_PAD_TYPES, or a one-entry catalog when that is not set. A variable
// naming a file that cannot be read makes the call fail with 0x80004005 and a description.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nordteller/cardbridge.h"

struct cardbridge {
    std::string lastError;
};

namespace {

bool ReadAll(const char* path, std::string& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        return false;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        out.append(buffer, got);
    }
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

int32_t Answer(cardbridge* cb, const char* variable, const char* fallback, char** out) {
    const char* path = std::getenv(variable);
    std::string text;
    if (path == nullptr) {
        if (fallback == nullptr) {
            cb->lastError = std::string(variable) + " is not set";
            return static_cast<int32_t>(0x80004005);
        }
        text = fallback;
    } else if (!ReadAll(path, text)) {
        cb->lastError = std::string("cannot read ") + path;
        return static_cast<int32_t>(0x80004005);
    }
    *out = strdup(text.c_str());
    return 0;
}

}  // namespace

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
cardbridge* cardbridge_create(void) {
    return new cardbridge;
}
void cardbridge_destroy(cardbridge* cb) {
    delete cb;
}
int32_t cardbridge_process_transaction(cardbridge* cb, const char* request, char** response) {
    if (const char* log = std::getenv("NORDTELLER_TEST_CALL_LOG")) {
        if (std::FILE* f = std::fopen(log, "ab")) {
            std::fwrite(request, 1, std::strlen(request), f);
            std::fclose(f);
        }
    }
    return Answer(cb, "NORDTELLER_TEST_RESPONSE", nullptr, response);
}
int32_t cardbridge_get_pad_types_info(cardbridge* cb, char** info) {
    return Answer(cb, "NORDTELLER_TEST_PAD_TYPES",
                  "<PadTypeID1>P400</PadTypeID1><Processor1>Test</Processor1>"
                  "<Manufacturer1>Kestrel</Manufacturer1>",
                  info);
}
const char* cardbridge_last_error(cardbridge* cb) {
    return cb->lastError.c_str();
}
void cardbridge_free(char* text) {
    std::free(text);
}
}
