#include "response/ResponseOutcome.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(ResponseOutcome, VerdictAndTextsComeFromTheResponse) {
    struct Case {
        const char* xml;
        Verdict verdict;
        const char* status;
        const char* text;
    };
    for (const Case& c : {
             Case{"<RStream><CmdResponse><CmdStatus>Approved</CmdStatus>"
                  "<TextResponse>APPROVED</TextResponse></CmdResponse></RStream>",
                  Verdict::kApproved, "Approved", "APPROVED"},
             Case{"<RStream><CmdStatus>Success</CmdStatus></RStream>", Verdict::kApproved,
                  "Success", ""},
             Case{"<RStream><CmdStatus>Declined</CmdStatus><TextResponse>DECLINED "
                  "\xC9TAT</TextResponse></RStream>",
                  Verdict::kDeclined, "Declined", "DECLINED \xC9TAT"},
             Case{"<RStream><CmdStatus>Error</CmdStatus>"
                  "<TextResponse>INVALID AMOUNT</TextResponse></RStream>",
                  Verdict::kError, "Error", "INVALID AMOUNT"},
             Case{"<RStream><CmdStatus>error</CmdStatus></RStream>", Verdict::kOther, "error", ""},
         }) {
        auto outcome = ReadResponseOutcome(c.xml);
        ASSERT_TRUE(outcome.has_value()) << c.xml;
        EXPECT_EQ(outcome->verdict, c.verdict) << c.xml;
        EXPECT_EQ(outcome->cmdStatus, c.status);
        EXPECT_EQ(outcome->textResponse, c.text);
    }
}

TEST(ResponseOutcome, NoneWithoutXmlOrCmdStatus) {
    for (const char* response : {"", "AT&U OK\r\n", "<RStream><TextResponse>X</TextResponse>",
                                 "<RStream><TextResponse>X</TextResponse></RStream>",
                                 "<RStream><CmdStatus></CmdStatus></RStream>"}) {
        EXPECT_FALSE(ReadResponseOutcome(response).has_value()) << response;
    }
}

}  // namespace
}  // namespace nt
