// A plugin without cardbridge_get_pad_types_info: the loader must refuse it by that name.
#include <cstdlib>

#include "StatelessPlugin.h"

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    *response = nullptr;
    return 0;
}
}
