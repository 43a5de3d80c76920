#include "form/ObservingOperator.h"

namespace nt {

namespace {

class NullCommandObserver : public CommandObserver {
  public:
    void OnRequestSent(const std::string&) override {}
    void OnResponse(const std::string&) override {}
    void OnNoResponse(NoResponse) override {}
    void OnReceipt(const std::string&, const RenderedReceipt&) override {}
    void OnMessage(const std::string&, bool) override {}
};

}  // namespace

CommandObserver& ObservingOperator::Observer() {
    static NullCommandObserver none;
    return observer_ != nullptr ? *observer_ : none;
}

void ObservingOperator::ResponseMessage(const std::string& text) {
    Observer().OnMessage(text, true);
    inner_.ResponseMessage(text);
}

void ObservingOperator::Message(const std::string& text) {
    Observer().OnMessage(text, false);
    inner_.Message(text);
}

}  // namespace nt
