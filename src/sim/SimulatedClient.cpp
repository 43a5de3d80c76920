#include "sim/SimulatedClient.h"

#include <cstdlib>
#include <exception>

#include "codes/TranCodes.h"
#include "platform/EnvironmentSwitch.h"
#include "sim/SimAdmin.h"
#include "sim/SimFinancial.h"
#include "sim/SimPadCatalog.h"
#include "sim/SimRequest.h"
#include "sim/SimResponse.h"
#include "sim/SimState.h"
#include "transaction/ClientHelper.h"

namespace nt {

namespace {

class SimulatedClient : public PaymentClient {
  public:
    SimulatedClient(Clock& clock, const SimulatorOptions& options) : state_(clock) {
        state_.duplicateCheck = options.duplicateCheck;
        state_.faults = sim::FaultSettings{options.isolated, options.faultDelay};
        if (!options.journalPath.empty()) {
            state_.file = std::make_unique<sim::SimJournalFile>(options.journalPath);
            state_.file->Open(state_.journal, options.freshJournal);
        }
    }

    ClientReply ProcessTransaction(const std::string& request) override {
        try {
            return ClientReply{0, Answer(request), {}};
        } catch (const std::exception& e) {
            return ClientReply{kClientFail, {}, e.what()};
        }
    }

    ClientReply GetPadTypesInfo() override {
        try {
            return sim::PadTypesInfo();
        } catch (const std::exception& e) {
            return ClientReply{kClientFail, {}, e.what()};
        }
    }

  private:
    std::string Answer(const std::string& text) {
        using namespace sim;
        const RequestRead read = ReadRequest(text);
        if (!read.ok) {
            // Even a request that cannot be read keeps the client's numbering going.
            const std::string seq =
                IsSimSequenceNo(read.sequenceNo) ? state_.sequence.Answer(read.sequenceNo) : "";
            return ErrorResponse("Client", read.wellFormed ? kRcBadRequest : kRcNotXml, read.error,
                                 seq, read.request.userTrace);
        }
        const SimRequest& r = read.request;
        const std::string seq = state_.sequence.Answer(r.sequenceNo);
        const TranCodeSpec* info = ReadTranCode(r.tranCode).spec;
        if (info == nullptr || info->sim.family == SimFamily::None) {
            return ErrorResponse("Client", kRcUnknownCode, "Invalid TranCode: " + r.tranCode, seq,
                                 r.userTrace);
        }
        if (info->sim.family == SimFamily::Financial) {
            return FinancialResponse(r, *info, state_, seq);
        }
        return AdminResponse(r, *info, state_, seq);
    }

    sim::SimState state_;
};

}  // namespace

SimulatorOptions SimulatorOptionsFromEnvironment() {
    SimulatorOptions options{sim::kJournalFileName, EnvironmentSwitch("NORDTELLER_SIM_FRESH"),
                             EnvironmentSwitch("NORDTELLER_SIM_DUPLICATES")};
    options.isolated = EnvironmentSwitch(kIsolatedClientVariable);
    if (const char* delay = std::getenv("NORDTELLER_SIM_DELAY_MS")) {
        options.faultDelay = std::chrono::milliseconds(std::strtol(delay, nullptr, 10));
    }
    return options;
}

std::unique_ptr<PaymentClient> MakeSimulatedClient() {
    return MakeSimulatedClient(SystemClock(), SimulatorOptionsFromEnvironment());
}

std::unique_ptr<PaymentClient> MakeSimulatedClient(Clock& clock) {
    return MakeSimulatedClient(clock, SimulatorOptions{});
}

std::unique_ptr<PaymentClient> MakeSimulatedClient(Clock& clock, const SimulatorOptions& options) {
    return std::make_unique<SimulatedClient>(clock, options);
}

}  // namespace nt
