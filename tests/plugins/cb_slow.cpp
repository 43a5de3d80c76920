// A plugin that takes its time: every call sleeps NORDTELLER_TEST_SLOW_MS milliseconds (30 s
// when unset, as a hung payment client would) and then answers an approved response.
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "StatelessPlugin.h"

namespace {

void Sleep() {
    long ms = 30000;
    if (const char* env = std::getenv("NORDTELLER_TEST_SLOW_MS")) {
        ms = std::atol(env);
    }
    timespec wait{ms / 1000, (ms % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

}  // namespace

extern "C" {
int cardbridge_abi_version(void) {
    return CARDBRIDGE_ABI_VERSION;
}
int32_t cardbridge_process_transaction(cardbridge*, const char*, char** response) {
    Sleep();
    *response = strdup(
        "<?xml version=\"1.0\"?><TStream><CmdResponse><CmdStatus>Approved</CmdStatus>"
        "<SequenceNo>0010010020</SequenceNo></CmdResponse><TranResponse><RefNo>42</RefNo>"
        "<Amount><Purchase>1.00</Purchase><Gratuity>0.00</Gratuity></Amount>"
        "</TranResponse></TStream>");
    return 0;
}
int32_t cardbridge_get_pad_types_info(cardbridge*, char** info) {
    *info = strdup("<PadTypeID1>Slow</PadTypeID1><Processor1>P</Processor1>");
    return 0;
}
}
