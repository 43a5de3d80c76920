// The simulated payment client behind the plugin ABI, so that the loader and the ABI are
// exercised by the same code the built-in client runs.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "nordteller/cardbridge.h"
#include "platform/Codepage.h"
#include "sim/SimulatedClient.h"

struct cardbridge {
    std::unique_ptr<nt::PaymentClient> client;
    std::string lastError;  // UTF-8
    bool hasError = false;
};

namespace {

constexpr int32_t kPointer = static_cast<int32_t>(0x80004003);      // E_POINTER
constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000E);  // E_OUTOFMEMORY

int32_t Fail(cardbridge* cb, int32_t code, const std::string& error) {
    if (cb != nullptr) {
        cb->lastError = error;
        cb->hasError = true;
    }
    return code;
}

// Hands a Windows-1252 reply to the caller as UTF-8 allocated for cardbridge_free.
int32_t Deliver(cardbridge* cb, const nt::ClientReply& reply, char** out) {
    if (!reply.Ok()) {
        return Fail(cb, reply.code, nt::Cp1252ToUtf8(reply.error));
    }
    const std::string utf8 = nt::Cp1252ToUtf8(reply.text);
    char* text = static_cast<char*>(std::malloc(utf8.size() + 1));
    if (text == nullptr) {
        return Fail(cb, kOutOfMemory, "out of memory");
    }
    std::memcpy(text, utf8.c_str(), utf8.size() + 1);
    *out = text;
    return 0;
}

}  // namespace

extern "C" {

int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}

cardbridge* cardbridge_create(void) {
    try {
        auto cb = std::make_unique<cardbridge>();
        cb->client = nt::MakeSimulatedClient();
        return cb.release();
    } catch (...) {
        return nullptr;
    }
}

void cardbridge_destroy(cardbridge* cb) {
    delete cb;
}

int32_t cardbridge_process_transaction(cardbridge* cb, const char* request, char** response) {
    if (cb == nullptr || request == nullptr || response == nullptr) {
        return Fail(cb, kPointer, "null argument");
    }
    cb->hasError = false;
    *response = nullptr;
    try {
        return Deliver(cb, cb->client->ProcessTransaction(nt::Utf8ToCp1252(request)), response);
    } catch (const std::exception& e) {
        return Fail(cb, kOutOfMemory, e.what());
    }
}

int32_t cardbridge_get_pad_types_info(cardbridge* cb, char** info) {
    if (cb == nullptr || info == nullptr) {
        return Fail(cb, kPointer, "null argument");
    }
    cb->hasError = false;
    *info = nullptr;
    try {
        return Deliver(cb, cb->client->GetPadTypesInfo(), info);
    } catch (const std::exception& e) {
        return Fail(cb, kOutOfMemory, e.what());
    }
}

const char* cardbridge_last_error(cardbridge* cb) {
    return cb != nullptr && cb->hasError ? cb->lastError.c_str() : nullptr;
}

void cardbridge_free(char* text) {
    std::free(text);
}

}  // extern "C"
