#pragma once

#include <functional>
#include <optional>
#include <string>

#include "codes/TranCodes.h"
#include "form/ObservingOperator.h"
#include "form/WindowForm.h"
#include "log/LogWriter.h"
#include "pos/PosState.h"
#include "pos/SequenceStore.h"
#include "request/RequestComposer.h"
#include "response/ResponseProcessor.h"
#include "serial/TerminalLink.h"
#include "transaction/ClientGateway.h"

namespace nt {

// What every command button runs: the wait window, the serial test terminal's chance, the
// number the command sends, the request through the editor and the payment client, and the
// response taken over. Gift cards and batch close have flows of their own on the same steps.
class CommandFlow {
  public:
    CommandFlow(WindowForm& form, ObservingOperator& op, PosState& pos, SequenceStore& store,
                RequestComposer& composer, TerminalLink& terminal, ClientGateway& gateway,
                ResponseProcessor& responses, CLogWriter& log)
        : form_(form),
          op_(op),
          pos_(pos),
          store_(store),
          composer_(composer),
          terminal_(terminal),
          gateway_(gateway),
          responses_(responses),
          log_(log) {}
    CommandFlow(const CommandFlow&) = delete;
    CommandFlow& operator=(const CommandFlow&) = delete;

    // The button of a TranCode's row.
    void OnCommandButton(const TranCodeSpec& command);
    void OnGiftCardButton();
    // Batch close starts as its row says, then sends a summary before the close.
    void OnBatchcloseButton(const TranCodeSpec& command);

  private:
    // How a command starts: the wait window's message and the command the serial test
    // terminal is offered.
    struct Start {
        std::string waitMessage;
        const TranCodeSpec& code;
        bool giftCard;
        bool zeroAmountFirst = false;
    };
    static Start StartOf(const TranCodeSpec& command);
    // The prologue every command shares, then `exchanges` with the number it sends loaded and
    // its save made on every way out, before the wait window goes. Nothing after the prologue
    // when the serial test terminal ran the command.
    void Run(const Start& start, const std::function<void()>& exchanges);
    // The number a command sends: re-read from its file and shown in "Sending POS Seq No.".
    void LoadSequenceForCommand();
    // Logging, editing, sending and processing of one request; the response when it was sent.
    std::optional<std::string> Exchange(std::string request, const std::string& counter);

    WindowForm& form_;
    ObservingOperator& op_;
    PosState& pos_;
    SequenceStore& store_;
    RequestComposer& composer_;
    TerminalLink& terminal_;
    ClientGateway& gateway_;
    ResponseProcessor& responses_;
    CLogWriter& log_;  // the requests, edits and responses
};

}  // namespace nt
