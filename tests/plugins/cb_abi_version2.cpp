// A plugin built against a later ABI: complete, but version 2.
#include <cstdlib>

#include "StatelessPlugin.h"

extern "C" {
int cardbridge_abi_version(void) {
    return 2;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    *response = nullptr;
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = nullptr;
    return 0;
}
}
