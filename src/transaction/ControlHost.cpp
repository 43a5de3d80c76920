#include "transaction/ControlHost.h"

#include <chrono>
#include <exception>

namespace nt {

ControlHost::ControlHost(PaymentClientFactory factory, std::function<void()> pump)
    : pump_(std::move(pump)) {
    std::unique_lock lock(mutex_);
    bool started = false;
    thread_ = std::thread([this, f = std::move(factory), &started]() mutable {
        {
            std::string error;
            std::unique_ptr<PaymentClient> client;
            try {
                client = f(error);
            } catch (const std::exception& e) {
                error = e.what();
            } catch (...) {
                error = "the payment client could not be created";
            }
            std::lock_guard guard(mutex_);
            client_ = std::move(client);
            created_ = client_ != nullptr;
            abortable_ = created_ && client_->CanAbort();
            direct_ = created_ && client_->PumpsWhileWaiting();
            if (direct_) {
                client_->SetPump(pump_);
            }
            createError_ = error;
            started = true;
        }
        wake_.notify_all();
        if (created_) {
            Run();  // without a client no job ever comes: the thread ends at once
        }
    });
    wake_.wait(lock, [&] { return started; });
}

ControlHost::~ControlHost() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ControlHost::Run() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                break;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
    client_.reset();  // the client is released on its own thread
}

ClientReply ControlHost::Guarded(const std::function<ClientReply(PaymentClient&)>& call,
                                 PaymentClient& client) {
    try {
        return call(client);
    } catch (const std::exception& e) {
        return ClientReply{kClientFail, {}, e.what()};
    } catch (...) {
        return ClientReply{kClientFail, {}, "the payment client failed"};
    }
}

ClientReply ControlHost::Call(std::function<ClientReply(PaymentClient&)> call) {
    if (!created_) {
        return ClientReply{kClientPointerError, {}, "No payment client control"};
    }
    if (direct_) {
        return Guarded(call, *client_);
    }
    ClientReply reply;
    bool done = false;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back([&, call = std::move(call)] {
            ClientReply r = Guarded(call, *client_);
            {
                std::lock_guard guard(mutex_);
                reply = std::move(r);
                done = true;
            }
            wake_.notify_all();
        });
    }
    wake_.notify_all();
    std::unique_lock lock(mutex_);
    while (!done) {
        // Short waits so the window is repainted while a slow client works.
        if (!wake_.wait_for(lock, std::chrono::milliseconds(15), [&] { return done; }) && pump_) {
            lock.unlock();
            pump_();
            lock.lock();
        }
    }
    return reply;
}

void ControlHost::Abort() {
    // The client lives until the thread ends, and a caller that waits keeps the thread alive.
    if (abortable_) {
        client_->Abort();
    }
}

ClientReply ControlHost::ProcessTransaction(const std::string& request) {
    return Call([&request](PaymentClient& c) { return c.ProcessTransaction(request); });
}

ClientReply ControlHost::GetPadTypesInfo() {
    return Call([](PaymentClient& c) { return c.GetPadTypesInfo(); });
}

}  // namespace nt
