#include "transaction/IsolatedClient.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/Codepage.h"
#include "transaction/ClientHelper.h"

namespace nt {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kGrace{1000};  // from SIGTERM to SIGKILL, and for an orderly end
constexpr milliseconds kReapStep{5};
constexpr milliseconds kPumpStep{15};  // as ControlHost pumps a caller waiting for its thread
constexpr size_t kReadSize = 65536;

const char* const kCancelled =
    "the operator cancelled the wait for the payment client; the transaction's outcome at the "
    "host is unknown";

// poll's timeout until `deadline`, rounded up so that it never wakes early; -1: none.
int PollTimeout(Clock::time_point deadline) {
    if (deadline == Clock::time_point::max()) {
        return -1;
    }
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

}  // namespace

std::unique_ptr<ChildProcess> IsolatedClient::SpawnHelper(const std::string& program,
                                                          const std::string& plugin,
                                                          std::string& error) {
    return ChildProcess::Spawn(program, {"nordteller", kClientHelperOption, "3", plugin}, error);
}

std::unique_ptr<IsolatedClient> IsolatedClient::Start(HelperOptions options, std::string& error,
                                                      std::unique_ptr<ChildProcess> spawned) {
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        error = std::string("Cannot start the payment client: ") + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<IsolatedClient> client(new IsolatedClient(std::move(options), wake));
    if (!client->Launch(error, std::move(spawned))) {
        return nullptr;
    }
    return client;
}

IsolatedClient::IsolatedClient(HelperOptions options, int wake)
    : options_(std::move(options)),
      wake_(wake),
      outputs_{ClientOutput(options_.output), ClientOutput(options_.output)} {}

IsolatedClient::~IsolatedClient() {
    if (child_) {
        Dismiss();
    }
    ::close(wake_);
}

void IsolatedClient::Dismiss() {
    child_->CloseSocket();
    if (AwaitEnd(kGrace)) {
        Release();
    } else {
        Stop();
    }
}

void IsolatedClient::Abort() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void IsolatedClient::DrainWake() {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
}

IsolatedClient::Deadline IsolatedClient::NextDeadline() const {
    if (options_.timeoutSeconds <= 0) {
        return Deadline::max();
    }
    return Clock::now() + std::chrono::seconds(options_.timeoutSeconds);
}

bool IsolatedClient::Launch(std::string& error, std::unique_ptr<ChildProcess> spawned) {
    reader_ = FrameReader();
    child_ = spawned ? std::move(spawned) : SpawnHelper(options_.program, options_.plugin, error);
    if (!child_) {
        return false;
    }
    Frame hello;
    const Waited waited = Exchange(EncodeFrame(Frame{kFrameCreate, {}, {}}), hello, NextDeadline());
    if (waited != Waited::kFrame) {
        error = Unanswered(waited, "the payment client was not created within " +
                                       std::to_string(options_.timeoutSeconds) + " s");
        return false;
    }
    if (hello.tag == 0) {
        return true;
    }
    error = hello.error.empty() ? "the payment client could not be created" : hello.error;
    Dismiss();
    return false;
}

std::string IsolatedClient::Unanswered(Waited waited, const std::string& late) {
    if (waited == Waited::kEnded) {
        return Ended();
    }
    const std::string why = waited == Waited::kTimedOut  ? late
                            : waited == Waited::kAborted ? std::string(kCancelled)
                                                         : reader_.Broken();
    Stop();
    return why;
}

ClientReply IsolatedClient::ProcessTransaction(const std::string& request) {
    return Call(kFrameProcessTransaction, request);
}

ClientReply IsolatedClient::GetPadTypesInfo() {
    return Call(kFrameGetPadTypesInfo, {});
}

ClientReply IsolatedClient::Call(int32_t kind, const std::string& text) {
    DrainWake();  // a cancel meant for an earlier call that had already answered
    if (child_ && child_->TryReap()) {
        Release();  // it ended between calls: this call gets a new one
    }
    if (!child_) {
        std::string error;
        if (!Launch(error)) {
            return ClientReply{kClientFail, {}, Utf8ToCp1252(error)};
        }
    }
    Frame reply;
    const Waited waited = Exchange(EncodeFrame(Frame{kind, text, {}}), reply, NextDeadline());
    if (waited == Waited::kFrame) {
        return ClientReply{reply.tag, std::move(reply.text), std::move(reply.error)};
    }
    return ClientReply{kClientFail,
                       {},
                       Unanswered(waited, "the payment client did not answer within " +
                                              std::to_string(options_.timeoutSeconds) +
                                              " s; the transaction's outcome at the host is "
                                              "unknown")};
}

IsolatedClient::Waited IsolatedClient::Exchange(const std::string& outgoing, Frame& reply,
                                                Deadline deadline) {
    size_t sent = 0;
    auto pumped = Clock::now();
    for (;;) {
        if (pump_ && Clock::now() - pumped >= kPumpStep) {
            pump_();  // may Abort: the wake descriptor tells below
            pumped = Clock::now();
        }
        if (std::optional<Frame> frame = reader_.Next()) {
            reply = std::move(*frame);
            return Waited::kFrame;
        }
        if (!reader_.Broken().empty()) {
            return Waited::kBroken;
        }
        const short writing = sent < outgoing.size() ? POLLOUT : 0;
        pollfd fds[4] = {{child_->Socket(), static_cast<short>(POLLIN | writing), 0},
                         {child_->Pipe(0), POLLIN, 0},
                         {child_->Pipe(1), POLLIN, 0},
                         {wake_, POLLIN, 0}};
        int timeout = PollTimeout(deadline);
        if (pump_ && (timeout < 0 || timeout > kPumpStep.count())) {
            timeout = static_cast<int>(kPumpStep.count());
        }
        const int ready = ::poll(fds, 4, timeout);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Waited::kEnded;
        }
        if (ready == 0) {
            if (Clock::now() >= deadline) {
                return Waited::kTimedOut;
            }
            continue;
        }
        if (fds[3].revents != 0) {
            DrainWake();
            return Waited::kAborted;
        }
        for (int which = 0; which < 2; ++which) {
            if (fds[1 + which].revents != 0) {
                ReadPipe(which);
            }
        }
        if ((fds[0].revents & POLLOUT) != 0) {
            const ssize_t n = ::send(child_->Socket(), outgoing.data() + sent,
                                     outgoing.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += static_cast<size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return Waited::kEnded;
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !ReadSocket()) {
            // A reply written just before the end still counts.
            if (std::optional<Frame> frame = reader_.Next()) {
                reply = std::move(*frame);
                return Waited::kFrame;
            }
            return Waited::kEnded;
        }
    }
}

bool IsolatedClient::ReadSocket() {
    char buffer[kReadSize];
    const ssize_t n = ::recv(child_->Socket(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
        reader_.Append(buffer, static_cast<size_t>(n));
        return true;
    }
    return n < 0 && (errno == EAGAIN || errno == EINTR);
}

void IsolatedClient::ReadPipe(int which) {
    char buffer[kReadSize];
    const ssize_t n = ::read(child_->Pipe(which), buffer, sizeof buffer);
    if (n > 0) {
        outputs_[which].Append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        outputs_[which].Finish();
        child_->ClosePipe(which);
    }
}

bool IsolatedClient::AwaitEnd(milliseconds grace) {
    const auto until = Clock::now() + grace;
    while (!child_->TryReap()) {
        if (Clock::now() >= until) {
            return false;
        }
        // The pipes are read meanwhile: a helper blocked on a full pipe would never end.
        pollfd fds[3] = {{child_->Pipe(0), POLLIN, 0},
                         {child_->Pipe(1), POLLIN, 0},
                         {child_->ExitFd(), POLLIN, 0}};
        const int step =
            child_->ExitFd() >= 0 ? PollTimeout(until) : static_cast<int>(kReapStep.count());
        if (::poll(fds, 3, step) > 0) {
            for (int which = 0; which < 2; ++which) {
                if (fds[which].revents != 0) {
                    ReadPipe(which);
                }
            }
        }
    }
    return true;
}

void IsolatedClient::Stop() {
    child_->Signal(SIGTERM);
    if (!AwaitEnd(kGrace)) {
        child_->Signal(SIGKILL);
        child_->Reap();
    }
    Release();
}

std::string IsolatedClient::Ended() {
    if (AwaitEnd(kGrace)) {
        std::string text = "the payment client ended: " + child_->Describe();
        Release();
        return text;
    }
    // Still running without its end of the socket: it cannot answer any more.
    child_->Signal(SIGKILL);
    child_->Reap();
    Release();
    return "the payment client closed its connection";
}

void IsolatedClient::Release() {
    // What it wrote last is passed on; a process it left behind with the pipes open is not
    // waited for.
    for (int which = 0; which < 2; ++which) {
        for (int reads = 0; reads < 64 && child_->Pipe(which) >= 0; ++reads) {
            pollfd fd{child_->Pipe(which), POLLIN, 0};
            if (::poll(&fd, 1, 0) <= 0) {
                break;
            }
            ReadPipe(which);
        }
        outputs_[which].Finish();
    }
    child_.reset();
    reader_ = FrameReader();
}

}  // namespace nt
