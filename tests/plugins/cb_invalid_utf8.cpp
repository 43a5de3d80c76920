// A plugin that answers texts which are not valid UTF-8: a stray 0xFF, a truncated two-byte
// sequence, and a character Windows-1252 lacks (U+4E2D).
#include <cstdlib>
#include <cstring>

#include "StatelessPlugin.h"

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    *response = strdup(
        "A\xFF"
        "B\xC3"
        "C\xE4\xB8\xAD"
        "D\xC3\xA9");
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = strdup("<PadTypeID1>X\xFF</PadTypeID1>");
    return 0;
}
}
