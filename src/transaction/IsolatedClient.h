#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "transaction/ChildProcess.h"
#include "transaction/ClientOutput.h"
#include "transaction/FrameChannel.h"
#include "transaction/PaymentClient.h"

namespace nt {

struct HelperOptions {
    std::string program;       // started in helper mode: this program, "/proc/self/exe"
    std::string plugin;        // the plugin library's path, as given
    int timeoutSeconds = 300;  // how long a call (or the client's creation) may take; 0: no limit
    // Each line the plugin writes to its standard output or error, bounded and escaped.
    std::function<void(const std::string& line)> output;
};

// A plugin payment client in a helper process of its own (this program in its hidden helper
// mode): a crash, an exit or a hang of the plugin fails the call in progress, never the program.
// The next call starts a new helper and creates the client again. Calls come from one thread at
// a time; Abort may come from any, also from the pump of a waiting call.
class IsolatedClient : public PaymentClient {
  public:
    // Starts the helper and has it create the client (or has `spawned`, a helper of the same
    // program and plugin started ahead, create it). Null with the loader's reason, or how the
    // helper ended, when that fails.
    static std::unique_ptr<IsolatedClient> Start(HelperOptions options, std::string& error,
                                                 std::unique_ptr<ChildProcess> spawned = nullptr);
    // A helper for `plugin` that loads nothing until Start takes it over, so that its own start
    // runs beside the program's. Null with the system's reason.
    static std::unique_ptr<ChildProcess> SpawnHelper(const std::string& program,
                                                     const std::string& plugin, std::string& error);
    // Closes the helper's socket so that it releases the plugin and ends; one that does not is
    // stopped.
    ~IsolatedClient() override;
    IsolatedClient(const IsolatedClient&) = delete;
    IsolatedClient& operator=(const IsolatedClient&) = delete;

    ClientReply ProcessTransaction(const std::string& request) override;
    ClientReply GetPadTypesInfo() override;
    bool CanAbort() const override { return true; }
    // The helper is stopped at once and the call fails as cancelled by the operator.
    void Abort() override;
    bool PumpsWhileWaiting() const override { return true; }
    // Runs `pump` every 15 ms while a call waits; set it before calls from another thread.
    void SetPump(std::function<void()> pump) override { pump_ = std::move(pump); }

    // The running helper's process id, 0 when none runs (for tests).
    int HelperPid() const { return child_ ? child_->Pid() : 0; }

  private:
    enum class Waited { kFrame, kEnded, kTimedOut, kAborted, kBroken };
    using Deadline = std::chrono::steady_clock::time_point;

    IsolatedClient(HelperOptions options, int wake);
    Deadline NextDeadline() const;
    bool Launch(std::string& error, std::unique_ptr<ChildProcess> spawned = nullptr);
    ClientReply Call(int32_t kind, const std::string& text);
    // Sends `outgoing` and waits for the next frame, passing the helper's output on meanwhile.
    Waited Exchange(const std::string& outgoing, Frame& reply, Deadline deadline);
    bool ReadSocket();  // false at the end of the stream
    void ReadPipe(int which);
    // Waits up to `grace` for the helper to end by itself; true when it has.
    bool AwaitEnd(std::chrono::milliseconds grace);
    // SIGTERM, SIGKILL after a grace; the helper is gone afterwards.
    void Stop();
    // Closes the helper's socket, so that it releases the plugin and ends; one that does not
    // end within the grace is stopped.
    void Dismiss();
    // The helper closed its end: how it ended. It is gone afterwards.
    std::string Ended();
    // Why a wait got no frame (`late` when the deadline passed); the helper is gone afterwards.
    std::string Unanswered(Waited waited, const std::string& late);
    void Release();
    void DrainWake();

    HelperOptions options_;
    std::function<void()> pump_;
    int wake_;  // an eventfd that Abort writes
    std::unique_ptr<ChildProcess> child_;
    FrameReader reader_;
    ClientOutput outputs_[2];
};

}  // namespace nt
