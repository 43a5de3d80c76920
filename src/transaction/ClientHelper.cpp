#include "transaction/ClientHelper.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "transaction/FrameChannel.h"
#include "transaction/PluginClient.h"

namespace nt {

namespace {

// A text over the limit fails the call here, where it is cheap, rather than at the program.
Frame Bounded(ClientReply reply) {
    if (reply.text.size() > kFrameTextLimit) {
        return Frame{kClientFail, {}, OverLimitText("response", reply.text.size())};
    }
    if (reply.error.size() > kFrameTextLimit) {
        return Frame{reply.code == 0 ? kClientFail : reply.code,
                     {},
                     OverLimitText("error text", reply.error.size())};
    }
    return Frame{reply.code, std::move(reply.text), std::move(reply.error)};
}

int Serve(int fd, const std::string& path) {
    // Started ahead of need, the helper touches nothing until the program asks for the client.
    FrameReader reader;
    Frame request;
    if (!ReceiveFrame(fd, reader, request) || request.tag != kFrameCreate) {
        return 0;
    }
    std::string error;
    std::unique_ptr<PluginClient> client = PluginClient::Load(path, error);
    if (client == nullptr) {
        SendFrame(fd, Frame{kClientFail, {}, error});
        return 0;
    }
    if (!SendFrame(fd, Frame{})) {
        return 0;
    }
    while (ReceiveFrame(fd, reader, request)) {
        ClientReply reply;
        if (request.tag == kFrameProcessTransaction) {
            reply = client->ProcessTransaction(request.text);
        } else if (request.tag == kFrameGetPadTypesInfo) {
            reply = client->GetPadTypesInfo();
        } else {
            reply = ClientReply{kClientFail, {}, "unknown request " + std::to_string(request.tag)};
        }
        if (!SendFrame(fd, Bounded(std::move(reply)))) {
            break;
        }
    }
    return 0;
}

}  // namespace

std::string ClientHelperProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path folder = self.parent_path();
        for (const std::filesystem::path& candidate :
             {folder / kClientHelperName, folder / "../libexec/nordteller" / kClientHelperName}) {
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate.lexically_normal().string();
            }
        }
    }
    return "/proc/self/exe";
}

int RunClientHelper(const std::vector<std::string>& args) {
    int fd = -1;
    if (args.size() == 2 && !args[0].empty() &&
        args[0].find_first_not_of("0123456789") == std::string::npos && args[0].size() < 6) {
        fd = std::atoi(args[0].c_str());
    }
    if (fd < 0) {
        std::fputs("nordteller: --client-helper needs FD PATH\n", stderr);
        return 2;
    }
    // A program killed outright cannot stop its helper; the helper then goes with it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // Started as /proc/self/exe, it would be listed as "exe" by ps and top.
    ::prctl(PR_SET_NAME, "nordteller");
    // What the plugin prints reaches the program's log line by line, not at exit.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv(kIsolatedClientVariable, "1", 1);
    try {
        return Serve(fd, args[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nordteller: payment client helper: %s\n", e.what());
    } catch (...) {
        std::fputs("nordteller: payment client helper failed\n", stderr);
    }
    return 1;
}

}  // namespace nt
