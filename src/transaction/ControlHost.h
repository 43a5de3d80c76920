#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "transaction/PaymentClient.h"

namespace nt {

// Owns the payment client on a thread of its own: the client is created, called and destroyed
// only there. A caller waits for its call while `pump` keeps the window alive; the window is
// disabled meanwhile, so no second command starts. A client that waits for another process
// (PumpsWhileWaiting) is called on the caller's thread instead, and pumps itself: a call then
// costs no hand-over between threads.
class ControlHost {
  public:
    // Starts the thread and creates the client on it; Created() tells whether that worked.
    ControlHost(PaymentClientFactory factory, std::function<void()> pump);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    bool Created() const { return created_; }
    const std::string& CreateError() const { return createError_; }
    // A command needed the client that could not be created (it was refused before any call).
    // Told at the end of unattended runs; the window's thread only.
    void NoteMissed() { missed_ = true; }
    bool Missed() const { return missed_; }

    ClientReply ProcessTransaction(const std::string& request);
    ClientReply GetPadTypesInfo();

    // Whether a call can be stopped before it answers.
    bool CanAbort() const { return abortable_; }
    // Stops the call in progress; called by the waiting caller (from its pump).
    void Abort();

  private:
    ClientReply Call(std::function<ClientReply(PaymentClient&)> call);
    // The call's reply; an exception becomes a failed call.
    static ClientReply Guarded(const std::function<ClientReply(PaymentClient&)>& call,
                               PaymentClient& client);
    void Run();

    std::function<void()> pump_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    bool created_ = false;
    bool missed_ = false;
    bool abortable_ = false;
    bool direct_ = false;  // the client is called on the caller's thread
    std::string createError_;
    std::unique_ptr<PaymentClient> client_;  // touched only on the thread
    std::thread thread_;
};

}  // namespace nt
