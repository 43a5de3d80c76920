// A plugin whose calls all fail: method 1 with 0x80070005 and an accented UTF-8 description
// (it also hands out a text, which the caller must release but not read), method 2 with
// 0x80004005 and no description.
#include <cstdlib>
#include <cstring>

#include "nordteller/cardbridge.h"

struct cardbridge {
    const char* error = nullptr;
};

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
int32_t cardbridge_process_transaction(cardbridge* cb, const char*, char** response) {
    cb->error =
        "PIN pad d\xC3\xA9"
        "connect\xC3\xA9";
    *response = strdup("not to be read");
    return static_cast<int32_t>(0x80070005);
}
int32_t cardbridge_get_pad_types_info(cardbridge* cb, char**) {
    cb->error = nullptr;
    return static_cast<int32_t>(0x80004005);
}
const char* cardbridge_last_error(cardbridge* cb) {
    return cb->error;
}
void cardbridge_free(char* text) {
    std::free(text);
}
}
