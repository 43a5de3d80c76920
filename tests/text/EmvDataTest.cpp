#include "text/EmvData.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace nt {
namespace {

using Meanings = std::vector<std::string>;

// A value with one bit set and the one meaning it must give, written out by hand from
// EMV Book 3 Annex C rather than derived from the decoder's table.
struct OneBit {
    EmvField (*decode)(std::string_view);
    const char* hex;
    const char* meaning;
};

OneBit Tvr(const char* hex, const char* meaning) {
    return {DecodeTvr, hex, meaning};
}

OneBit Tsi(const char* hex, const char* meaning) {
    return {DecodeTsi, hex, meaning};
}

void PrintTo(const OneBit& c, std::ostream* os) {
    *os << c.hex;
}

class EmvBit : public testing::TestWithParam<OneBit> {};

TEST_P(EmvBit, NamesItsByteAndBit) {
    const EmvField f = GetParam().decode(GetParam().hex);
    EXPECT_TRUE(f.decoded);
    EXPECT_EQ(f.problem, "");
    EXPECT_EQ(f.meanings, Meanings{GetParam().meaning});
}

INSTANTIATE_TEST_SUITE_P(
    EveryTvrBit, EmvBit,
    testing::Values(
        Tvr("8000000000", "byte 1 bit 8: offline data authentication was not performed"),
        Tvr("4000000000", "byte 1 bit 7: SDA failed"),
        Tvr("2000000000", "byte 1 bit 6: ICC data missing"),
        Tvr("1000000000", "byte 1 bit 5: card appears on terminal exception file"),
        Tvr("0800000000", "byte 1 bit 4: DDA failed"),
        Tvr("0400000000", "byte 1 bit 3: CDA failed"),
        Tvr("0200000000", "byte 1 bit 2: SDA selected"),
        Tvr("0100000000", "byte 1 bit 1: reserved for future use"),
        Tvr("0080000000", "byte 2 bit 8: ICC and terminal have different application versions"),
        Tvr("0040000000", "byte 2 bit 7: expired application"),
        Tvr("0020000000", "byte 2 bit 6: application not yet effective"),
        Tvr("0010000000", "byte 2 bit 5: requested service not allowed for card product"),
        Tvr("0008000000", "byte 2 bit 4: new card"),
        Tvr("0004000000", "byte 2 bit 3: reserved for future use"),
        Tvr("0002000000", "byte 2 bit 2: reserved for future use"),
        Tvr("0001000000", "byte 2 bit 1: reserved for future use"),
        Tvr("0000800000", "byte 3 bit 8: cardholder verification was not successful"),
        Tvr("0000400000", "byte 3 bit 7: unrecognised CVM"),
        Tvr("0000200000", "byte 3 bit 6: PIN try limit exceeded"),
        Tvr("0000100000",
            "byte 3 bit 5: PIN entry required and PIN pad not present or not working"),
        Tvr("0000080000",
            "byte 3 bit 4: PIN entry required, PIN pad present, but PIN was not entered"),
        Tvr("0000040000", "byte 3 bit 3: online PIN entered"),
        Tvr("0000020000", "byte 3 bit 2: reserved for future use"),
        Tvr("0000010000", "byte 3 bit 1: reserved for future use"),
        Tvr("0000008000", "byte 4 bit 8: transaction exceeds floor limit"),
        Tvr("0000004000", "byte 4 bit 7: lower consecutive offline limit exceeded"),
        Tvr("0000002000", "byte 4 bit 6: upper consecutive offline limit exceeded"),
        Tvr("0000001000", "byte 4 bit 5: transaction selected randomly for online processing"),
        Tvr("0000000800", "byte 4 bit 4: merchant forced transaction online"),
        Tvr("0000000400", "byte 4 bit 3: reserved for future use"),
        Tvr("0000000200", "byte 4 bit 2: reserved for future use"),
        Tvr("0000000100", "byte 4 bit 1: reserved for future use"),
        Tvr("0000000080", "byte 5 bit 8: default TDOL used"),
        Tvr("0000000040", "byte 5 bit 7: issuer authentication failed"),
        Tvr("0000000020", "byte 5 bit 6: script processing failed before final GENERATE AC"),
        Tvr("0000000010", "byte 5 bit 5: script processing failed after final GENERATE AC"),
        Tvr("0000000008", "byte 5 bit 4: reserved for future use"),
        Tvr("0000000004", "byte 5 bit 3: reserved for future use"),
        Tvr("0000000002", "byte 5 bit 2: reserved for future use"),
        Tvr("0000000001", "byte 5 bit 1: reserved for future use")));

INSTANTIATE_TEST_SUITE_P(
    EveryTsiBit, EmvBit,
    testing::Values(Tsi("8000", "byte 1 bit 8: offline data authentication was performed"),
                    Tsi("4000", "byte 1 bit 7: cardholder verification was performed"),
                    Tsi("2000", "byte 1 bit 6: card risk management was performed"),
                    Tsi("1000", "byte 1 bit 5: issuer authentication was performed"),
                    Tsi("0800", "byte 1 bit 4: terminal risk management was performed"),
                    Tsi("0400", "byte 1 bit 3: script processing was performed"),
                    Tsi("0200", "byte 1 bit 2: reserved for future use"),
                    Tsi("0100", "byte 1 bit 1: reserved for future use"),
                    Tsi("0080", "byte 2 bit 8: reserved for future use"),
                    Tsi("0040", "byte 2 bit 7: reserved for future use"),
                    Tsi("0020", "byte 2 bit 6: reserved for future use"),
                    Tsi("0010", "byte 2 bit 5: reserved for future use"),
                    Tsi("0008", "byte 2 bit 4: reserved for future use"),
                    Tsi("0004", "byte 2 bit 3: reserved for future use"),
                    Tsi("0002", "byte 2 bit 2: reserved for future use"),
                    Tsi("0001", "byte 2 bit 1: reserved for future use")));

// Several bits at once, as the simulated client answers, in byte and bit order.
TEST(EmvBits, SeveralSetBitsComeByteByByteFromBit8) {
    EXPECT_EQ(DecodeTvr("0000048000").meanings,
              (Meanings{"byte 3 bit 3: online PIN entered",
                        "byte 4 bit 8: transaction exceeds floor limit"}));
    EXPECT_EQ(DecodeTsi("E800").meanings,
              (Meanings{"byte 1 bit 8: offline data authentication was performed",
                        "byte 1 bit 7: cardholder verification was performed",
                        "byte 1 bit 6: card risk management was performed",
                        "byte 1 bit 4: terminal risk management was performed"}));
    EXPECT_EQ(DecodeTvr("8100000001").meanings,
              (Meanings{"byte 1 bit 8: offline data authentication was not performed",
                        "byte 1 bit 1: reserved for future use",
                        "byte 5 bit 1: reserved for future use"}));

    const EmvField all = DecodeTvr("FFFFFFFFFF");
    ASSERT_EQ(all.meanings.size(), 40u);
    EXPECT_EQ(all.meanings.front(), "byte 1 bit 8: offline data authentication was not performed");
    EXPECT_EQ(all.meanings[24], "byte 4 bit 8: transaction exceeds floor limit");
    EXPECT_EQ(all.meanings.back(), "byte 5 bit 1: reserved for future use");
    EXPECT_EQ(DecodeTsi("FFFF").meanings.size(), 16u);
}

TEST(EmvBits, NoBitSetIsDecodedWithNoMeaning) {
    for (const EmvField& f : {DecodeTvr("0000000000"), DecodeTsi("0000")}) {
        SCOPED_TRACE(f.name);
        EXPECT_TRUE(f.decoded);
        EXPECT_EQ(f.problem, "");
        EXPECT_TRUE(f.meanings.empty());
    }
}

TEST(EmvBits, CaseAndSurroundingBlanksDoNotMatter) {
    const EmvField lower = DecodeTsi(" \te800\r\n");
    EXPECT_TRUE(lower.decoded);
    EXPECT_EQ(lower.value, "e800");
    EXPECT_EQ(lower.meanings, DecodeTsi("E800").meanings);
    EXPECT_EQ(DecodeTvr("00000aBcDe").meanings, DecodeTvr("00000ABCDE").meanings);
    EXPECT_EQ(DecodeTvr("  0000008000 ").value, "0000008000");
    EXPECT_EQ(DecodeAid("\nA0000000031010 ").value, "A0000000031010");
    EXPECT_TRUE(DecodeAid("\nA0000000031010 ").decoded);
}

struct Invalid {
    EmvField (*decode)(std::string_view);
    std::string given;
    std::string shown;
    std::string problem;
};

TEST(EmvInvalid, ShownAsGivenWithTheReasonAndNoMeaning) {
    const std::string highByte = std::string("00000080") + '\xC9' + '0';
    const std::string withNul = std::string("00000") + '\0' + "8000";
    const std::vector<Invalid> cases = {
        {DecodeTvr, "000000800", "000000800", "10 hex digits expected, 9 given"},
        {DecodeTvr, "00000080000", "00000080000", "10 hex digits expected, 11 given"},
        {DecodeTvr, "", "", "10 hex digits expected, 0 given"},
        {DecodeTvr, "   ", "", "10 hex digits expected, 0 given"},
        {DecodeTvr, "000000800G", "000000800G", "not hexadecimal"},
        {DecodeTvr, "0x00008000", "0x00008000", "not hexadecimal"},
        {DecodeTvr, " 00000 08000 ", "00000 08000", "not hexadecimal"},
        {DecodeTvr, "-000008000", "-000008000", "not hexadecimal"},
        {DecodeTvr, highByte, highByte, "not hexadecimal"},
        {DecodeTvr, "0000&#48;8000", "0000&#48;8000", "not hexadecimal"},
        {DecodeTvr, withNul, withNul, "not hexadecimal"},
        {DecodeTsi, "E80", "E80", "4 hex digits expected, 3 given"},
        {DecodeTsi, "E8000", "E8000", "4 hex digits expected, 5 given"},
        {DecodeTsi, "0000008000", "0000008000", "4 hex digits expected, 10 given"},
        {DecodeTsi, "E8O0", "E8O0", "not hexadecimal"},
        {DecodeTsi, "\tE8 00", "E8 00", "not hexadecimal"},
        {DecodeAid, "A00000000", "A00000000", "10 to 32 hex digits expected, 9 given"},
        {DecodeAid, "A0000000031", "A0000000031",
         "an even number of hex digits expected, 11 given"},
        {DecodeAid, "A000000003101", "A000000003101",
         "an even number of hex digits expected, 13 given"},
        {DecodeAid, std::string(34, 'A'), std::string(34, 'A'),
         "10 to 32 hex digits expected, 34 given"},
        {DecodeAid, std::string(33, 'A'), std::string(33, 'A'),
         "10 to 32 hex digits expected, 33 given"},
        {DecodeAid, "", "", "10 to 32 hex digits expected, 0 given"},
        {DecodeAid, "A0000000 031010", "A0000000 031010", "not hexadecimal"},
        {DecodeAid, "VISA", "VISA", "not hexadecimal"},
    };
    for (const Invalid& c : cases) {
        const EmvField f = c.decode(c.given);
        SCOPED_TRACE(f.name + " \"" + c.given + "\"");
        EXPECT_EQ(f.value, c.shown);
        EXPECT_EQ(f.problem, c.problem);
        EXPECT_EQ(f.decoded, c.problem.empty());
        EXPECT_EQ(f.meanings.empty(), !f.decoded);
    }
}

TEST(EmvInvalid, LengthLimitsOfTheAidAreInclusive) {
    EXPECT_TRUE(DecodeAid("A000000003").decoded);
    EXPECT_TRUE(DecodeAid("A0000000031010" + std::string(18, '0')).decoded);
}

struct Aid {
    std::string aid;
    std::string provider;
    std::string application;
};

class AidProvider : public testing::TestWithParam<Aid> {};

TEST_P(AidProvider, NamesTheProviderAndTheApplication) {
    const EmvField f = DecodeAid(GetParam().aid);
    EXPECT_TRUE(f.decoded);
    EXPECT_EQ(f.meanings, (Meanings{"registered application provider: " + GetParam().provider,
                                    "application: " + GetParam().application}));
}

void PrintTo(const Aid& c, std::ostream* os) {
    *os << c.aid;
}

INSTANTIATE_TEST_SUITE_P(
    PublicRegistry, AidProvider,
    testing::Values(
        Aid{"A0000000031010", "Visa (RID A000000003)", "Visa credit or debit (PIX 1010)"},
        Aid{"A0000000032010", "Visa (RID A000000003)", "Visa Electron (PIX 2010)"},
        Aid{"A0000000032020", "Visa (RID A000000003)", "V PAY (PIX 2020)"},
        Aid{"A0000000041010", "Mastercard (RID A000000004)",
            "Mastercard credit or debit (PIX 1010)"},
        Aid{"A0000000043060", "Mastercard (RID A000000004)", "Maestro (PIX 3060)"},
        Aid{"A00000002501", "American Express (RID A000000025)", "American Express (PIX 01)"},
        Aid{"A0000002771010", "Interac (RID A000000277)", "Interac debit (PIX 1010)"},
        Aid{"A0000001523010", "Discover (RID A000000152)", "Discover (PIX 3010)"},
        Aid{"A0000000651010", "JCB (RID A000000065)", "JCB (PIX 1010)"},
        Aid{"A000000333010101", "UnionPay (RID A000000333)", "UnionPay debit (PIX 010101)"},
        Aid{"A000000333010102", "UnionPay (RID A000000333)", "UnionPay credit (PIX 010102)"},
        Aid{"A000000333010103", "UnionPay (RID A000000333)",
            "UnionPay quasi-credit (PIX 010103)"}));

// A card may extend a registered AID; a PIX that starts no registered one is not guessed
// at.
INSTANTIATE_TEST_SUITE_P(
    ExtendedOrUnknown, AidProvider,
    testing::Values(
        Aid{"A000000025010801", "American Express (RID A000000025)",
            "American Express (PIX 01, followed by 0801)"},
        Aid{"a0000000031010", "Visa (RID A000000003)", "Visa credit or debit (PIX 1010)"},
        Aid{"A0000000043060FF", "Mastercard (RID A000000004)",
            "Maestro (PIX 3060, followed by FF)"},
        Aid{"A0000000039999", "Visa (RID A000000003)", "not in the table (PIX 9999)"},
        Aid{"A00000000310", "Visa (RID A000000003)", "not in the table (PIX 10)"},
        Aid{"A0000002772010", "Interac (RID A000000277)", "not in the table (PIX 2010)"},
        Aid{"A000000333010104", "UnionPay (RID A000000333)", "not in the table (PIX 010104)"},
        Aid{"A000000003", "Visa (RID A000000003)", "none named (the AID is the RID alone)"},
        Aid{"A0000009991010", "not in the table (RID A000000999)", "not in the table (PIX 1010)"},
        Aid{"B0000000031010", "not in the table (RID B000000003)", "not in the table (PIX 1010)"}));

// The response as the simulated client writes it: AID before TVR and TSI, and the same
// values again on the receipt's print lines.
const char* const kSimulatedResponse =
    "<RStream><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse>"
    "<TranResponse><EntryMethod>Chip</EntryMethod>"
    "<ApplicationLabel>VISA CREDIT</ApplicationLabel><AID>A0000000031010</AID>"
    "<TVR>0000008000</TVR><TSI>E800</TSI><PrintData>"
    "<Line1>TVR                           0000048000</Line1>"
    "<Line2>TSI                                 0000</Line2>"
    "</PrintData></TranResponse></RStream>";

TEST(EmvResponse, TheElementsComeAsTvrTsiAid) {
    const std::vector<EmvField> fields = DecodeEmvData(kSimulatedResponse);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].name, "TVR");
    EXPECT_EQ(fields[0].value, "0000008000");
    EXPECT_EQ(fields[0].meanings, Meanings{"byte 4 bit 8: transaction exceeds floor limit"});
    EXPECT_EQ(fields[1].name, "TSI");
    EXPECT_EQ(fields[1].value, "E800");
    EXPECT_EQ(fields[1].meanings.size(), 4u);
    EXPECT_EQ(fields[2].name, "AID");
    EXPECT_EQ(fields[2].meanings[0], "registered application provider: Visa (RID A000000003)");
}

TEST(EmvResponse, MissingOrBlankElementsAreLeftOut) {
    EXPECT_TRUE(DecodeEmvData("").empty());
    EXPECT_TRUE(DecodeEmvData("<RStream><CmdStatus>Error</CmdStatus></RStream>").empty());
    // Nothing between the tags, or only blanks, is no value.
    EXPECT_TRUE(DecodeEmvData("<TVR></TVR><TSI> </TSI><AID>\n</AID>").empty());
    // Without its closing tag an element is not found.
    EXPECT_TRUE(DecodeEmvData("<TVR>0000008000<TSI>E800").empty());

    const std::vector<EmvField> tsiOnly = DecodeEmvData("<TSI>E800</TSI><TVR/>");
    ASSERT_EQ(tsiOnly.size(), 1u);
    EXPECT_EQ(tsiOnly[0].name, "TSI");

    const std::vector<EmvField> aidAndTvr = DecodeEmvData("<AID>A0000002771010</AID><TVR>x</TVR>");
    ASSERT_EQ(aidAndTvr.size(), 2u);
    EXPECT_EQ(aidAndTvr[0].name, "TVR");
    EXPECT_FALSE(aidAndTvr[0].decoded);
    EXPECT_EQ(aidAndTvr[1].name, "AID");
    EXPECT_TRUE(aidAndTvr[1].decoded);
}

TEST(EmvResponse, ElementValuesAreTrimmedAndTheFirstElementCounts) {
    const std::vector<EmvField> fields =
        DecodeEmvData("<TVR>\n  0000048000\n</TVR><TVR>8000000000</TVR>");
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].value, "0000048000");
    EXPECT_EQ(fields[0].meanings.size(), 2u);
}

TEST(EmvBlock, OneLineAFieldAndAnIndentedLineAMeaning) {
    const std::string block = FormatEmvBlock(
        DecodeEmvData("<AID>A0000000041010</AID><TVR>0000048000</TVR><TSI>0000</TSI>"));
    EXPECT_EQ(block,
              "EMV data\n"
              "TVR 0000048000\n"
              "    byte 3 bit 3: online PIN entered\n"
              "    byte 4 bit 8: transaction exceeds floor limit\n"
              "TSI 0000\n"
              "    no bit set\n"
              "AID A0000000041010\n"
              "    registered application provider: Mastercard (RID A000000004)\n"
              "    application: Mastercard credit or debit (PIX 1010)\n");
}

TEST(EmvBlock, UndecodedValuesSayWhy) {
    EXPECT_EQ(FormatEmvBlock({DecodeTvr("00008000"), DecodeTsi("E8Z0"), DecodeAid("A00000003")}),
              "EMV data\n"
              "TVR 00008000 (not decoded: 10 hex digits expected, 8 given)\n"
              "TSI E8Z0 (not decoded: not hexadecimal)\n"
              "AID A00000003 (not decoded: 10 to 32 hex digits expected, 9 given)\n");
    EXPECT_EQ(FormatEmvBlock({}), "");
}

}  // namespace
}  // namespace nt
