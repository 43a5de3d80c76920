#include "sim/SimResponse.h"

namespace nt::sim {

void WriteCmdResponse(SimXml& xml, const CmdFields& fields) {
    xml.Open("TStream");
    xml.Open("CmdResponse");
    xml.Element("ResponseOrigin", fields.origin);
    xml.Element("ReturnCode", fields.returnCode);
    xml.Element("CmdStatus", fields.status);
    xml.Element("TextResponse", fields.text);
    if (!fields.sequenceNo.empty()) {
        xml.Element("SequenceNo", fields.sequenceNo);
    }
    xml.Element("UserTrace", fields.userTrace);
    xml.Close();
}

std::string ErrorResponse(const std::string& origin, const std::string& returnCode,
                          const std::string& text, const std::string& sequenceNo,
                          const std::string& userTrace) {
    SimXml xml;
    WriteCmdResponse(xml, {origin, returnCode, "Error", text, sequenceNo, userTrace});
    return xml.Finish();
}

}  // namespace nt::sim
