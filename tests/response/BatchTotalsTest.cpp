#include "response/BatchTotals.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace nt {
namespace {

struct TagCase {
    const char* name;
    std::string source;
    std::string tag;
    std::string expected;
};

TEST(ExtractTagValue, Cases) {
    const std::vector<TagCase> cases = {
        {"first of two", "<R><A>1</A><A>2</A></R>", "A", "1"},
        {"attribute does not match", "<R><A x=\"1\">v</A></R>", "A", ""},
        {"self-closing does not match", "<R><A/><A /></R>", "A", ""},
        {"no closing tag", "<R><A>v</R>", "A", ""},
        {"no opening tag", "<R>v</A></R>", "A", ""},
        {"blanks kept", "<A> 5 </A>", "A", " 5 "},
        {"anywhere in the text", "<TStream><Admin><Other><A>7</A></Other></Admin></TStream>", "A",
         "7"},
        {"case-sensitive", "<a>1</a>", "A", ""},
        {"closing before the opening is skipped", "</A>x<A>y</A>", "A", "y"},
        {"closing only before the opening", "</A>x<A>y", "A", ""},
        {"markup and entities untouched", "<A><B>x</B> &amp;\r\n y</A>", "A",
         "<B>x</B> &amp;\r\n y"},
        {"nested same name ends at the first closing", "<A><A>1</A></A>", "A", "<A>1"},
        {"longer name is another tag", "<AB>1</AB><A>2</A>", "A", "2"},
        {"empty element", "<A></A>", "A", ""},
        {"not XML at all", "junk <A>3</A> <<<", "A", "3"},
        // The closing tag may start inside such an opening tag; that is no content.
        {"closing overlaps opening", "<x></x></x>", "x></x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractTagValue(c.source, c.tag), c.expected);
    }
}

struct BlockCase {
    const char* name;
    std::string response;
    std::string expected;
};

TEST(BatchTotalsBlock, Cases) {
    const std::vector<BlockCase> cases = {
        {"table order, zero counts",
         "<TStream><BatchSummary><CreditCount>0</CreditCount><NetBatchTotal>150.00"
         "</NetBatchTotal><BatchNo>17</BatchNo><BatchItemCount>3</BatchItemCount>"
         "</BatchSummary></TStream>",
         "\t\t<BatchItemCount>3</BatchItemCount>\r\n"
         "\t\t<BatchNo>17</BatchNo>\r\n"
         "\t\t<NetBatchTotal>150.00</NetBatchTotal>\r\n"
         "\t\t<CreditCount>0</CreditCount>\r\n"},
        {"present but empty gives no line",
         "<R><CreditAmount></CreditAmount><DebitAmount>1.00</DebitAmount><CreditCount/></R>",
         "\t\t<DebitAmount>1.00</DebitAmount>\r\n"},
        {"none found", "<TStream><CmdStatus>Success</CmdStatus></TStream>", ""},
        {"empty response", "", ""},
        {"value exactly as found", "<R><NetBatchTotal> 1,234.50 &amp;</NetBatchTotal></R>",
         "\t\t<NetBatchTotal> 1,234.50 &amp;</NetBatchTotal>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BatchTotalsBlock(c.response), c.expected);
    }
}

TEST(BatchTotalsBlock, AllSeventeenInTableOrderWhateverTheDocumentOrder) {
    const std::vector<std::string> order = {
        "BatchItemCount",     "BatchNo",           "CreditPurchaseAmount", "CreditPurchaseCount",
        "CreditReturnAmount", "CreditReturnCount", "DebitPurchaseAmount",  "DebitPurchaseCount",
        "DebitReturnAmount",  "DebitReturnCount",  "NetBatchTotal",        "CreditCount",
        "CreditAmount",       "DebitCount",        "DebitAmount",          "CorrectionCount",
        "CorrectionAmount"};
    std::string response = "<R>";
    std::string expected;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string& name = order[order.size() - 1 - i];
        response += "<" + name + ">" + std::to_string(order.size() - 1 - i) + "</" + name + ">";
        expected += "\t\t<" + order[i] + ">" + std::to_string(i) + "</" + order[i] + ">\r\n";
    }
    response += "</R>";
    EXPECT_EQ(BatchTotalsBlock(response), expected);
}

}  // namespace
}  // namespace nt
