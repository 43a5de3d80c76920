#include "transaction/PluginClient.h"

#include <dlfcn.h>

#include "platform/Codepage.h"

namespace nt {

namespace {

std::string DlError() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown reason";
}

// Resolves one symbol into `slot`; false with `error` set when the library lacks it.
template <typename Fn>
bool Resolve(void* handle, const char* name, const std::string& path, Fn& slot,
             std::string& error) {
    dlerror();
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        error =
            "The payment client library " + path + " lacks the symbol " + name + ": " + DlError();
        return false;
    }
    slot = reinterpret_cast<Fn>(symbol);
    return true;
}

}  // namespace

std::unique_ptr<PluginClient> PluginClient::Load(const std::string& path, std::string& error) {
    // dlopen searches the library path for a bare name; the user meant a file here.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = "Cannot load the payment client library " + path + ": " + DlError();
        return nullptr;
    }
    Api api;
    if (!Resolve(handle, "cardbridge_abi_version", path, api.abiVersion, error) ||
        !Resolve(handle, "cardbridge_create", path, api.create, error) ||
        !Resolve(handle, "cardbridge_destroy", path, api.destroy, error) ||
        !Resolve(handle, "cardbridge_process_transaction", path, api.processTransaction, error) ||
        !Resolve(handle, "cardbridge_get_pad_types_info", path, api.getPadTypesInfo, error) ||
        !Resolve(handle, "cardbridge_last_error", path, api.lastError, error) ||
        !Resolve(handle, "cardbridge_free", path, api.free, error)) {
        dlclose(handle);
        return nullptr;
    }
    const int version = api.abiVersion();
    if (version != CARDBRIDGE_ABI_VERSION) {
        error = "The payment client library " + path + " has ABI version " +
                std::to_string(version) + "; this program needs version " +
                std::to_string(CARDBRIDGE_ABI_VERSION);
        dlclose(handle);
        return nullptr;
    }
    cardbridge* instance = api.create();
    if (instance == nullptr) {
        error = "The payment client library " + path +
                " could not create an instance (cardbridge_create returned NULL)";
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<PluginClient>(new PluginClient(handle, api, instance));
}

PluginClient::PluginClient(void* handle, const Api& api, cardbridge* instance)
    : handle_(handle), api_(api), instance_(instance) {}

PluginClient::~PluginClient() {
    api_.destroy(instance_);
    dlclose(handle_);
}

ClientReply PluginClient::ProcessTransaction(const std::string& request) {
    const std::string utf8 = Cp1252ToUtf8(request);
    char* response = nullptr;
    const int32_t code = api_.processTransaction(instance_, utf8.c_str(), &response);
    return Finish(code, response);
}

ClientReply PluginClient::GetPadTypesInfo() {
    char* info = nullptr;
    const int32_t code = api_.getPadTypesInfo(instance_, &info);
    return Finish(code, info);
}

ClientReply PluginClient::Finish(int32_t code, char* text) {
    ClientReply reply;
    reply.code = code;
    if (code == 0) {
        if (text != nullptr) {
            reply.text = Utf8ToCp1252(text);
        }
    } else {
        const char* error = api_.lastError(instance_);
        if (error != nullptr) {
            reply.error = Utf8ToCp1252(error);
        }
    }
    // A text handed over alongside a failure is released all the same, never read.
    if (text != nullptr) {
        api_.free(text);
    }
    return reply;
}

}  // namespace nt
