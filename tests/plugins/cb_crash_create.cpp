// A plugin that crashes while its instance is created. A crash inside a library loaded into
// the process cannot be contained by the process: this one exists to show that the program
// dies without damaging the files it keeps.
#include <cstdlib>

#include "nordteller/cardbridge.h"

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
cardbridge* cardbridge_create(void) {
    std::abort();
}
void cardbridge_destroy(cardbridge*) {}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    *response = nullptr;
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = nullptr;
    return 0;
}
const char* cardbridge_last_error(cardbridge*) {
    return nullptr;
}
void cardbridge_free(char* text) {
    std::free(text);
}
}
