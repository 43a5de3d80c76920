#pragma once

#include "dialogs/ForwardingOperator.h"
#include "form/CommandObserver.h"

namespace nt {

// The operator as the main window uses it: everything goes to the real operator, and every
// message box is also told to the command observer, so a report can see what the operator saw.
class ObservingOperator : public ForwardingOperator {
  public:
    explicit ObservingOperator(Operator& inner) : ForwardingOperator(inner) {}

    void SetObserver(CommandObserver* observer) { observer_ = observer; }
    // The observer set, or one that ignores everything.
    CommandObserver& Observer();

    void ResponseMessage(const std::string& text) override;

    void Message(const std::string& text) override;

  private:
    CommandObserver* observer_ = nullptr;
};

}  // namespace nt
