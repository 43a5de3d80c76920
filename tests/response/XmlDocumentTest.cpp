#include "response/XmlDocument.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace nt {
namespace {

// Loads `xml` (which must parse) and returns GetField(tag), or "<missing>" after checking what a
// miss leaves behind.
std::string Field(const std::string& xml, const std::string& tag) {
    CXmlDocument doc;
    EXPECT_TRUE(doc.Load(xml)) << doc.ErrorText();
    std::string out = "stale";
    if (doc.GetField(tag, out)) {
        return out;
    }
    EXPECT_EQ(out, "") << tag;
    EXPECT_EQ(doc.ErrorText(), tag + " Not Found in XML Document.");
    return "<missing>";
}

TEST(XmlDocument, LookupsWithoutDocumentFailAndLeaveOutputUntouched) {
    CXmlDocument doc;
    EXPECT_FALSE(doc.Created());
    EXPECT_EQ(doc.ErrorText(), "");
    std::string out = "keep";
    EXPECT_FALSE(doc.GetField("SequenceNo", out));
    EXPECT_FALSE(doc.GetNestedField("PrintData", "Line1", out));
    EXPECT_EQ(out, "keep");
    EXPECT_EQ(doc.ErrorText(), "Failed - No XML Document Loaded!");

    ASSERT_TRUE(doc.Load("<a><b>1</b></a>"));
    doc.Unload();
    EXPECT_FALSE(doc.Created());
    EXPECT_FALSE(doc.GetField("b", out));
    EXPECT_EQ(out, "keep");
    EXPECT_EQ(doc.ErrorText(), "Failed - No XML Document Loaded!");
}

TEST(XmlDocument, SecondLoadStartsOverAndErrorTextTracksOnlyFailures) {
    CXmlDocument doc;
    std::string out;
    ASSERT_TRUE(doc.Load("<a><Old>1</Old></a>"));
    ASSERT_TRUE(doc.Load("<a><New>2</New></a>"));
    EXPECT_FALSE(doc.GetField("Old", out));
    EXPECT_EQ(doc.ErrorText(), "Old Not Found in XML Document.");
    EXPECT_TRUE(doc.GetField("New", out));
    EXPECT_EQ(out, "2");
    EXPECT_EQ(doc.ErrorText(), "Old Not Found in XML Document.");  // success leaves it
    EXPECT_FALSE(doc.GetNestedField("a", "Gone", out));
    EXPECT_EQ(doc.ErrorText(), "Gone Not Found in XML Document.");  // names the tag only
}

TEST(XmlDocument, RejectedTextLeavesCreatedEmptyDocument) {
    CXmlDocument doc;
    EXPECT_FALSE(doc.Load("<TStream><SequenceNo>0010010020</SequenceNo><Tran"));
    EXPECT_TRUE(doc.Created());
    std::string out = "stale";
    EXPECT_FALSE(doc.GetField("SequenceNo", out));  // the part read before the error is gone
    EXPECT_EQ(out, "");
    EXPECT_EQ(doc.ErrorText(), "SequenceNo Not Found in XML Document.");
}

TEST(XmlDocument, ParseErrorGivesLineAndReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "1\r\nNo document element found"},
        {"<TStream><CmdResponse>Appro", "1\r\nStart-end tags mismatch"},
        {"<TStream>\r\n\t<CmdResponse>\r\n\t\t<Text>AP", "3\r\nStart-end tags mismatch"},
        {"<a>\n<b></c>\n<d/>\n</a>\n", "2\r\nStart-end tags mismatch"},
        {"<a>\n\n<b", "3\r\nError parsing start element tag"},
        {std::string("<a>x\0y</a>", 10), "1\r\nStart-end tags mismatch"},
        {std::string(100000, '<'), "1\r\nCould not determine tag type"},
    };
    for (const auto& [xml, expected] : cases) {
        CXmlDocument doc;
        EXPECT_FALSE(doc.Load(xml)) << xml.substr(0, 40);
        EXPECT_EQ(doc.ErrorText(), "XML Parse Error at line#:" + expected) << xml.substr(0, 40);
    }
}

TEST(XmlDocument, FirstElementInDocumentOrderWins) {
    EXPECT_EQ(
        Field("<r><a><SequenceNo>1</SequenceNo></a><SequenceNo>2</SequenceNo></r>", "SequenceNo"),
        "1");
    EXPECT_EQ(
        Field("<r><SequenceNo>1</SequenceNo><a><SequenceNo>2</SequenceNo></a></r>", "SequenceNo"),
        "1");
    EXPECT_EQ(Field("<RefNo><RefNo>inner</RefNo></RefNo>", "RefNo"), "inner");
    EXPECT_EQ(Field("<r><RefNo/></r>", "RefNo"), "");
    EXPECT_EQ(Field("<r><RefNo></RefNo></r>", "RefNo"), "");
    EXPECT_EQ(Field("<r><Refno>x</Refno></r>", "RefNo"), "<missing>");  // case-sensitive
    for (const char* odd : {"", "a b", "x[1]", "*", "//r", "r/a", "@id"}) {
        EXPECT_EQ(Field("<r id=\"1\"><a>t</a></r>", odd), "<missing>") << odd;
    }
}

TEST(XmlDocument, TextIsAllCharacterDataBelowTheElement) {
    const std::string xml =
        "<r>\r\n\t<Amount>\r\n\t\t<Purchase>1.00</Purchase>\r\n\t\t<Tip>0.50</Tip>\r\n\t</Amount>"
        "\r\n\t<Line3>   </Line3><Line4>  A  B </Line4><Mix>x<b>y</b>z</Mix>"
        "<C><![CDATA[<b>&amp; ]]>&lt;&gt;&amp;&quot;&apos;&#65;<![CDATA[]]></C>"
        "<Eol>1\r\n2\r3</Eol></r>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Amount", "1.000.50"}, {"Line3", "   "},          {"Line4", "  A  B "},
        {"Mix", "xyz"},         {"C", "<b>&amp; <>&\"'A"}, {"Eol", "1\n2\n3"}};
    for (const auto& [tag, text] : cases) {
        EXPECT_EQ(Field(xml, tag), text) << tag;
    }
}

TEST(XmlDocument, NestedFieldNeedsAnAncestorOfTheParentName) {
    const std::string xml =
        "<TStream><Line1>top</Line1><PrintData><X/></PrintData><Line1>after</Line1>"
        "<PrintData><Group><Line1>below</Line1></Group><Line1>child</Line1></PrintData></TStream>";
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(xml));
    std::string out;
    EXPECT_TRUE(doc.GetNestedField("PrintData", "Line1", out));
    EXPECT_EQ(out, "below");
    EXPECT_FALSE(doc.GetNestedField("PrintData", "X1", out));
    EXPECT_FALSE(doc.GetNestedField("Line1", "Line1", out));  // no Line1 lies below a Line1
    EXPECT_FALSE(doc.GetNestedField("X", "Line1", out));      // empty X opens no scope
    EXPECT_EQ(doc.ErrorText(), "Line1 Not Found in XML Document.");
}

TEST(XmlDocument, TextCrossesAsWindows1252) {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r><Name>Cr\xE9"
        "dit \x80 \x92</Name>"
        "<Wide>&#x4E2D;&#xE9;</Wide><Pr\xE9nom>ok</Pr\xE9nom></r>";
    EXPECT_EQ(Field(xml, "Name"),
              "Cr\xE9"
              "dit \x80 \x92");
    EXPECT_EQ(Field(xml, "Wide"), "?\xE9");
    EXPECT_EQ(Field(xml, "Pr\xE9nom"), "ok");
}

TEST(XmlDocument, LargeAndDeepInputs) {
    const std::string big(5 * 1024 * 1024, 'x');
    std::string out;
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load("<r><Big>" + big + "</Big></r>"));
    ASSERT_TRUE(doc.GetField("Big", out));
    EXPECT_EQ(out, big);
    EXPECT_FALSE(doc.Load(big));

    const int depth = 100000;
    std::string deep;
    for (int i = 0; i < depth; ++i)
        deep += "<a>";
    deep += "<leaf>v</leaf>";
    for (int i = 0; i < depth; ++i)
        deep += "</a>";
    ASSERT_TRUE(doc.Load(deep));
    EXPECT_TRUE(doc.GetNestedField("a", "leaf", out));
    EXPECT_EQ(out, "v");
    EXPECT_TRUE(doc.GetField("a", out));
    EXPECT_EQ(out, "v");
    EXPECT_FALSE(doc.GetNestedField("leaf", "a", out));
    EXPECT_FALSE(doc.Load(deep.substr(0, deep.size() - 4)));
    EXPECT_EQ(doc.ErrorText(), "XML Parse Error at line#:1\r\nStart-end tags mismatch");
}

void* FailingAllocate(size_t) {
    return nullptr;
}

TEST(XmlDocument, ParserOutOfMemoryIsReportedNotThrown) {
    const auto allocate = pugi::get_memory_allocation_function();
    const auto deallocate = pugi::get_memory_deallocation_function();
    CXmlDocument doc;
    pugi::set_memory_management_functions(FailingAllocate, deallocate);
    const bool loaded = doc.Load("<r><a>1</a></r>");
    pugi::set_memory_management_functions(allocate, deallocate);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(doc.ErrorText(), "ATL/COM Error parsing XML");
    std::string out;
    EXPECT_FALSE(doc.GetField("a", out));
    EXPECT_EQ(doc.ErrorText(), "a Not Found in XML Document.");
}

}  // namespace
}  // namespace nt
