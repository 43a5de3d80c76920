#pragma once

#include <memory>
#include <string>

#include "nordteller/cardbridge.h"
#include "transaction/PaymentClient.h"

namespace nt {

// A payment client loaded from a shared library with the cardbridge C ABI. It converts between
// the core's Windows-1252 and the library's UTF-8, and owns the instance and the library handle.
class PluginClient : public PaymentClient {
  public:
    // Loads the library, resolves every symbol, checks the ABI version and creates an instance.
    // Returns null with `error` naming the cause when any of these fails. A path without a "/"
    // names a file in the current directory, never a library on the search path.
    static std::unique_ptr<PluginClient> Load(const std::string& path, std::string& error);

    ~PluginClient() override;
    PluginClient(const PluginClient&) = delete;
    PluginClient& operator=(const PluginClient&) = delete;

    ClientReply ProcessTransaction(const std::string& request) override;
    ClientReply GetPadTypesInfo() override;

  private:
    struct Api {
        cardbridge_abi_version_fn abiVersion = nullptr;
        cardbridge_create_fn create = nullptr;
        cardbridge_destroy_fn destroy = nullptr;
        cardbridge_process_transaction_fn processTransaction = nullptr;
        cardbridge_get_pad_types_info_fn getPadTypesInfo = nullptr;
        cardbridge_last_error_fn lastError = nullptr;
        cardbridge_free_fn free = nullptr;
    };

    PluginClient(void* handle, const Api& api, cardbridge* instance);
    // Turns one call's result and text into a reply, releasing the text.
    ClientReply Finish(int32_t code, char* text);

    void* handle_;
    Api api_;
    cardbridge* instance_;
};

}  // namespace nt
