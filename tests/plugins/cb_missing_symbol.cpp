// A plugin without cardbridge_get_pad_types_info: the loader must refuse it by that name.
#include <cstdlib>

#include "nordteller/cardbridge.h"

struct cardbridge {};

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
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    *response = nullptr;
    return 0;
}
const char* cardbridge_last_error(cardbridge*) {
    return nullptr;
}
void cardbridge_free(char* text) {
    std::free(text);
}
}
