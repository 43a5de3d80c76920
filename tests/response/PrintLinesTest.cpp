#include "response/PrintLines.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace nt {
namespace {

struct PrintLinesCase {
    const char* name;
    std::string xml;
    std::string parent;
    std::string expected;
};

TEST(GetPrintLines, Cases) {
    const std::vector<PrintLinesCase> cases = {
        {"full stops removed, lines joined",
         "<TStream><PrintData><Line1>..TOTAL $12.34</Line1><Line2>APPROVED</Line2></PrintData>"
         "</TStream>",
         "PrintData", "TOTAL $12.34\r\nAPPROVED"},
        {"gap ends the list",
         "<TStream><PrintData><Line1>A</Line1><Line2>B</Line2><Line4>D</Line4></PrintData>"
         "</TStream>",
         "PrintData", "A\r\nB"},
        {"no first line", "<TStream><PrintData><Line2>B</Line2></PrintData></TStream>", "PrintData",
         ""},
        {"no parent", "<TStream><Line1>A</Line1></TStream>", "PrintData", ""},
        {"not XML", "<TStream><PrintData><Line1>A</Line1>", "PrintData", ""},
        {"empty text", "", "PrintData", ""},
        {"customer lines use CustLine",
         "<TStream><CustomerPrintData><Line1>X</Line1><CustLine1>C1</CustLine1>"
         "<CustLine2>C2</CustLine2></CustomerPrintData></TStream>",
         "CustomerPrintData", "C1\r\nC2"},
        {"merchant lines ignore CustLine",
         "<TStream><PrintData><CustLine1>C1</CustLine1></PrintData></TStream>", "PrintData", ""},
        {"any other parent uses Line",
         "<TStream><Slip><Line1>S</Line1><CustLine1>C</CustLine1></Slip></TStream>", "Slip", "S"},
        {"only lines below the parent",
         "<TStream><Line1>OUT</Line1><PrintData><Line1>IN</Line1></PrintData></TStream>",
         "PrintData", "IN"},
        {"empty lines before the first text vanish, later ones stay",
         "<TStream><PrintData><Line1></Line1><Line2>...</Line2><Line3>A</Line3><Line4>.</Line4>"
         "<Line5>B</Line5><Line6/></PrintData></TStream>",
         "PrintData", "A\r\n\r\nB\r\n"},
        {"only leading full stops go",
         "<TStream><PrintData><Line1> ..x..</Line1><Line2>.. . y.</Line2></PrintData></TStream>",
         "PrintData", " ..x..\r\n . y."},
        {"percent signs untouched",
         "<TStream><PrintData><Line1>10% OFF</Line1><Line2>%d%s</Line2></PrintData></TStream>",
         "PrintData", "10% OFF\r\n%d%s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetPrintLines(c.xml, c.parent), c.expected);
    }
}

}  // namespace
}  // namespace nt
