// A plugin that answers every transaction with a text of NORDTELLER_TEST_HUGE_MB megabytes
// (100 when unset) that is not XML: letters, with a line end every 100 bytes.
#include <cstdlib>
#include <cstring>

#include "StatelessPlugin.h"

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    size_t mb = 100;
    if (const char* env = std::getenv("NORDTELLER_TEST_HUGE_MB")) {
        mb = std::strtoul(env, nullptr, 10);
    }
    const size_t size = mb << 20;
    char* text = static_cast<char*>(std::malloc(size + 1));
    if (text == nullptr) {
        return static_cast<int32_t>(0x8007000E);  // out of memory
    }
    for (size_t i = 0; i < size; ++i) {
        text[i] = i % 100 == 99 ? '\n' : static_cast<char>('A' + i % 26);
    }
    text[size] = '\0';
    *response = text;
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = nullptr;
    return 0;
}
}
