#pragma once

// The entry points every stateless test plugin shares: an empty handle, no error text, texts
// freed with free(). A plugin that includes this defines the ABI version and the two calls.
#include <cstdlib>

#include "nordteller/cardbridge.h"

struct cardbridge {};

extern "C" {
cardbridge* cardbridge_create(void) {
    return new cardbridge;
}
void cardbridge_destroy(cardbridge* cb) {
    delete cb;
}
const char* cardbridge_last_error(cardbridge*) {
    return nullptr;
}
void cardbridge_free(char* text) {
    std::free(text);
}
}
