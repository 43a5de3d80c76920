#pragma once

#include <string>

#include "sim/SimXml.h"

namespace nt::sim {

// ReturnCode values the simulator answers.
inline constexpr const char* kRcOk = "000000";
inline constexpr const char* kRcNotXml = "001001";       // the request is not XML
inline constexpr const char* kRcBadRequest = "001002";   // no TStream, wrapper or TranCode
inline constexpr const char* kRcUnknownCode = "001003";  // a TranCode the client does not know
inline constexpr const char* kRcBadAmount = "001004";    // a missing or malformed amount
inline constexpr const char* kRcHostDown = "002001";     // the .54 amount trigger
// The .57 and .58 fault triggers in a simulator that runs in the program: a hang or a crash
// there would be the program's.
inline constexpr const char* kRcFaultNotActed = "003001";

// The CmdResponse element every response begins with.
struct CmdFields {
    std::string origin;  // "Processor" for the host's answers, "Client" for local ones
    std::string returnCode = kRcOk;
    std::string status;  // "Approved", "Declined", "Error" or "Success"
    std::string text;
    std::string sequenceNo;  // left out when empty
    std::string userTrace;
};

// Opens TStream and writes CmdResponse; the caller adds what follows and finishes.
void WriteCmdResponse(SimXml& xml, const CmdFields& fields);

// A whole response with CmdStatus "Error" and nothing but the CmdResponse.
std::string ErrorResponse(const std::string& origin, const std::string& returnCode,
                          const std::string& text, const std::string& sequenceNo,
                          const std::string& userTrace);

}  // namespace nt::sim
