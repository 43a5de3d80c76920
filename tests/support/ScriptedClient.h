#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "transaction/PaymentClient.h"

namespace nt::test {

// A payment client that answers from a queue of canned replies and keeps every request.
struct ClientScript {
    std::deque<ClientReply> replies;  // an empty queue answers an empty text
    std::vector<std::string> requests;
    std::string padTypesInfo;
};

class ScriptedClient : public PaymentClient {
  public:
    explicit ScriptedClient(std::shared_ptr<ClientScript> script) : script_(std::move(script)) {}
    ClientReply ProcessTransaction(const std::string& request) override {
        script_->requests.push_back(request);
        if (script_->replies.empty()) {
            return {};
        }
        ClientReply reply = script_->replies.front();
        script_->replies.pop_front();
        return reply;
    }
    ClientReply GetPadTypesInfo() override { return ClientReply{0, script_->padTypesInfo, {}}; }

  private:
    std::shared_ptr<ClientScript> script_;
};

// A factory whose clients all answer from the one script.
inline PaymentClientFactory ScriptedClientFactory(std::shared_ptr<ClientScript> script) {
    return [s = std::move(script)](std::string&) -> std::unique_ptr<PaymentClient> {
        return std::make_unique<ScriptedClient>(s);
    };
}

// A response document with the given elements inside TranResponse, CR LF line ends.
inline std::string Response(const std::string& sequenceNo, const std::string& elements) {
    return "<?xml version=\"1.0\"?>\r\n<TStream>\r\n<CmdResponse><CmdStatus>Approved</CmdStatus>"
           "<SequenceNo>" +
           sequenceNo + "</SequenceNo></CmdResponse>\r\n<TranResponse>" + elements +
           "</TranResponse>\r\n</TStream>\r\n";
}

}  // namespace nt::test
