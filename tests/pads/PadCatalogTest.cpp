#include <gtest/gtest.h>

#include "form/Controls.h"
#include "pads/PadCatalog.h"
#include "pads/PadTypeLine.h"
#include "support/FieldForm.h"
#include "support/RecordingOperator.h"
#include "support/TempDir.h"
#include "text/ExtractTagValue.h"
#include "text/TagIndex.h"

namespace nt {
namespace {

using test::ReadFile;
using test::WriteFile;

// Only what the catalog uses, in a folder of its own: padselection.dat is read and written in
// the current folder.
struct Catalog {
    test::TempDir dir;
    test::FieldForm form;
    test::RecordingOperator op;
    PadCatalog pads{form, op};
};

std::string Entry(int n, const std::string& id, const std::string& processor,
                  const std::string& manufacturer) {
    std::string k = std::to_string(n);
    return "<PadTypeID" + k + ">" + id + "</PadTypeID" + k + "><Processor" + k + ">" + processor +
           "</Processor" + k + "><Manufacturer" + k + ">" + manufacturer + "</Manufacturer" + k +
           ">";
}

// The tree as indented lines: one TAB per level below the root.
std::string Shape(const PadTree& tree) {
    std::string out;
    for (int node : tree.TreeOrder()) {
        int depth = 0;
        for (int p = tree.Parent(node); p != PadTree::kNone; p = tree.Parent(p)) {
            ++depth;
        }
        out += std::string(static_cast<size_t>(depth), '\t') + tree.Text(node) + "\n";
    }
    return out;
}

TEST(PadCatalog, TreeShapeByFirstAppearanceAndExactText) {
    Catalog c;
    c.pads.BuildPadCatalog(Entry(1, "A1", "Northwind", "Lumatek") +
                               Entry(2, "B1", "Northwind", "Kestrel") +
                               Entry(4, "Z9", "Gone", "Gone") + Entry(3, "", "Skipped", "x"),
                           "");
    EXPECT_EQ(Shape(c.pads.padTree()),
              "Processor\n\tNorthwind\n\t\tLumatek\n\t\t\tA1\n"
              "\t\tKestrel\n\t\t\tB1\n");
    c.pads.BuildPadCatalog(
        Entry(1, "A1", "Northwind", "Lumatek") + Entry(2, "A2", "Tundra", "Lumatek") +
            Entry(3, "A3", "northwind", "Lumatek") + Entry(4, "A4", "Northwind", "Lumatek") +
            Entry(5, "A4", "Northwind", "Lumatek"),
        "");
    EXPECT_EQ(Shape(c.pads.padTree()),
              "Processor\n\tNorthwind\n\t\tLumatek\n\t\t\tA1\n\t\t\tA4\n\t\t\tA4\n\tTundra\n"
              "\t\tLumatek\n\t\t\tA2\n\tnorthwind\n\t\tLumatek\n\t\t\tA3\n");
    EXPECT_EQ(c.pads.padRecords().size(), 5u);
    EXPECT_EQ(c.pads.padTree().Selected(), PadTree::kNone);
}

TEST(PadCatalog, MissingProcessorOrManufacturerReadsEmpty) {
    Catalog c;
    c.pads.BuildPadCatalog("<PadTypeID1>P1</PadTypeID1>", "");
    EXPECT_EQ(Shape(c.pads.padTree()), "Processor\n\t\n\t\t\n\t\t\tP1\n");
    c.pads.BuildPadCatalog("no elements at all", "");
    EXPECT_EQ(Shape(c.pads.padTree()), "Processor\n");
    EXPECT_TRUE(c.pads.padRecords().empty());
}

TEST(PadCatalog, SavedSelectionLastMatchWinsAndIsApplied) {
    Catalog c;
    c.form.SetText(id::kHostOrIp, "payments.example.com");
    c.form.SetVisible(id::kGiftCards, true);  // as TRAN EMV leaves it
    c.pads.BuildPadCatalog(Entry(1, "POSPAD-1", "P", "M") + Entry(2, "POSPAD-1", "Q", "M"),
                           "POSPAD-1");
    const PadTree& tree = c.pads.padTree();
    ASSERT_NE(tree.Selected(), PadTree::kNone);
    EXPECT_EQ(tree.Data(tree.Selected())->processor, "Q");
    EXPECT_TRUE(c.form.Checked(id::kAllowPartialAuth));
    EXPECT_EQ(c.form.Text(id::kHostOrIp), "127.0.0.1");
    EXPECT_FALSE(c.form.Visible(id::kGiftCards));
    for (int control : {id::kPinPadIpAddress, id::kPinPadIpPort, id::kPinPadIpAddressLabel,
                        id::kPinPadIpPortLabel}) {
        EXPECT_TRUE(c.form.Enabled(control));
    }
}

TEST(PadCatalog, ApplyPadTypeKeepsLoopbackAddresses) {
    Catalog c;
    for (auto [before, after] :
         std::initializer_list<std::pair<const char*, const char*>>{{"127.5.6.7", "127.5.6.7"},
                                                                    {"127.", "127."},
                                                                    {"10.0.0.1", "127.0.0.1"},
                                                                    {"", "127.0.0.1"},
                                                                    {"localhost", "127.0.0.1"},
                                                                    {"127", "127.0.0.1"}}) {
        c.form.SetText(id::kHostOrIp, before);
        c.pads.ApplyPadType("KT820");
        EXPECT_EQ(c.form.Text(id::kHostOrIp), after) << before;
    }
}

TEST(PadCatalog, SelectionSteersThePadTypeLine) {
    Catalog c;
    c.pads.BuildPadCatalog(Entry(1, "VX-P400", "P", "M") + Entry(2, "POSPAD", "P", "M"), "");
    PadTree& tree = c.pads.padTree();
    c.pads.SelectPadNode(tree.FindLeaf("POSPAD"));
    EXPECT_TRUE(c.form.Checked(id::kAllowPartialAuth));
    c.pads.SelectPadNode(tree.FindLeaf("VX-P400"));
    EXPECT_TRUE(c.form.Checked(id::kAllowPartialAuth));  // never unchecked here
    EXPECT_EQ(c.pads.PadTypeElement(2), "\t\t<PadType>VX-P400</PadType>\r\n");
    c.pads.SelectPadNode(tree.FindNode("M"));
    EXPECT_EQ(c.pads.PadTypeElement(2), "\t\t<PadType></PadType>\r\n");
    EXPECT_EQ(c.pads.PadTypeElement(0), "<PadType></PadType>\r\n");
    EXPECT_EQ(c.pads.PadTypeElement(-3), "<PadType></PadType>\r\n");
    // A manufacturer node selected: shutdown leaves the saved selection as it was.
    WriteFile("padselection.dat", "OLD\r\n");
    c.pads.SavePadSelection();
    EXPECT_EQ(ReadFile("padselection.dat"), "OLD\r\n");
}

TEST(PadCatalog, TranEmvOverridesTheTreeAndGivesItBack) {
    Catalog c;
    c.pads.BuildPadCatalog(Entry(1, "LM320", "P", "M"), "LM320");
    c.op.messages.clear();
    c.form.SetText(id::kMerchantId, "70");
    c.form.SetText(id::kTerminalId, "T1");
    c.form.SetChecked(id::kTranEmv, true);
    c.pads.OnTranEmvCheck();
    EXPECT_EQ(c.op.messages,
              std::vector<std::string>{"Some Fields in this interface are Ignored.\r\nSome "
                                       "Functions(Buttons) have no effect"});
    EXPECT_FALSE(c.pads.padTree().Enabled());
    EXPECT_EQ(c.form.Text(id::kMerchantId), "");
    EXPECT_EQ(c.form.Text(id::kTerminalId), "");
    EXPECT_TRUE(c.form.Visible(id::kGiftCards));
    EXPECT_EQ(c.pads.PadTypeElement(2), "\t\t<PadType>TranEMV1</PadType>\r\n");
    c.form.SetChecked(id::kTranEmv, false);
    c.pads.OnTranEmvCheck();
    EXPECT_TRUE(c.pads.padTree().Enabled());
    EXPECT_FALSE(c.form.Visible(id::kGiftCards));
    EXPECT_EQ(c.pads.PadTypeElement(2), "\t\t<PadType>LM320</PadType>\r\n");
}

TEST(PadCatalog, SelectionFileReadAndWritten) {
    Catalog c;
    WriteFile("padselection.dat", "LM320 \t\r\nsecond line");
    EXPECT_EQ(c.pads.LoadPadSelection(), "LM320");
    WriteFile("padselection.dat", std::string("i\0P", 3) + "\n");
    EXPECT_EQ(c.pads.LoadPadSelection(), std::string("i\0P", 3));
    c.pads.BuildPadCatalog(Entry(1, "LM320", "P", "M"), "LM320");
    c.pads.SavePadSelection();
    EXPECT_EQ(ReadFile("padselection.dat"), "LM320\r\n");
}

TEST(TagIndex, AgreesWithThePlainSearch) {
    const std::string texts[] = {"<a>1</a><a>2</a>",
                                 "<a x=1>1</a>",
                                 "<a>no close",
                                 "</a><a>x</a>",
                                 "<<a>>v</a>",
                                 "<a>1<a>2</a></a>",
                                 "<a><b></a></b>",
                                 "<>e</>",
                                 "<a/>x</a>",
                                 "<A>x</A><a>y</a>",
                                 "<a>\0</a>",
                                 "",
                                 "<a>" + std::string(70, 'n') + "</a>"};
    const std::string names[] = {"a", "A", "b", "", "x", "a x=1", std::string(70, 'n'), "/a"};
    for (const std::string& text : texts) {
        TagIndex index(text);
        for (const std::string& name : names) {
            EXPECT_EQ(index.Value(name), ExtractTagValue(text, name)) << text << " / " << name;
        }
    }
}

}  // namespace
}  // namespace nt
