#include "transaction/PluginClient.h"

#include <gtest/gtest.h>

#include "app/ClientFactory.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

std::string Plugin(const std::string& name) {
    return std::string(NORDTELLER_BINARY_DIR) + "/lib" + name + ".so";
}

std::string LoadError(const std::string& path) {
    std::string error;
    EXPECT_EQ(PluginClient::Load(path, error), nullptr);
    return error;
}

TEST(PluginClientLoad, EveryFailureNamesItsCause) {
    const std::string missing = Plugin("no_such_plugin");
    EXPECT_EQ(LoadError(missing), "Cannot load the payment client library " + missing + ": " +
                                      missing +
                                      ": cannot open shared object file: No such file "
                                      "or directory");

    const std::string lacking = Plugin("cb_missing_symbol");
    EXPECT_EQ(LoadError(lacking).rfind("The payment client library " + lacking +
                                           " lacks the symbol cardbridge_get_pad_types_info: ",
                                       0),
              0u);

    const std::string v2 = Plugin("cb_abi_version2");
    EXPECT_EQ(LoadError(v2), "The payment client library " + v2 +
                                 " has ABI version 2; this program needs version 1");

    const std::string null = Plugin("cb_create_null");
    EXPECT_EQ(LoadError(null), "The payment client library " + null +
                                   " could not create an instance (cardbridge_create returned "
                                   "NULL)");
}

TEST(PluginClientLoad, TextFileInTheCurrentDirectoryIsNoLibrary) {
    test::TempDir dir;
    test::WriteFile("notalib.so", std::string(200, 'x') + "\n");
    // A bare name is a file here, not a library on the search path.
    EXPECT_EQ(LoadError("notalib.so"),
              "Cannot load the payment client library notalib.so: ./notalib.so: invalid ELF "
              "header");
}

TEST(PluginClient, SimulatorPluginRoundTripsWindows1252) {
    test::TempDir dir;  // the simulator keeps its journal in the working folder
    std::string error;
    auto client = PluginClient::Load(Plugin("cardbridge_sim"), error);
    ASSERT_NE(client, nullptr) << error;
    const ClientReply reply = client->ProcessTransaction(
        "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<Transaction>\r\n"
        "\t\t<MerchantID>Caf\xE9 \x80</MerchantID>\r\n\t\t<TranCode>EMVSale</TranCode>\r\n"
        "\t\t<MerchantLanguage>French</MerchantLanguage>\r\n"
        "\t\t<Amount>\r\n\t\t\t<Purchase>2.00</Purchase>\r\n\t\t</Amount>\r\n"
        "\t\t<SequenceNo>0010010010</SequenceNo>\r\n\t</Transaction>\r\n</TStream>\r\n");
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.error, "");
    EXPECT_NE(reply.text.find("<MerchantID>Caf\xE9 \x80</MerchantID>"), std::string::npos);
    EXPECT_NE(reply.text.find("APPROUV\xC9"
                              "E"),
              std::string::npos);
    EXPECT_NE(reply.text.find("<SequenceNo>0010010020</SequenceNo>"), std::string::npos);

    test::WriteFile("catalog.txt", "<PadTypeID1>S\xE9rie \x80</PadTypeID1>");
    test::ScopedEnv env("NORDTELLER_SIM_CATALOG", dir.path() + "/catalog.txt");
    const ClientReply info = client->GetPadTypesInfo();
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.text, "<PadTypeID1>S\xE9rie \x80</PadTypeID1>");
}

TEST(PluginClient, FailuresCarryCodeAndDescription) {
    std::string error;
    auto client = PluginClient::Load(Plugin("cb_failing"), error);
    ASSERT_NE(client, nullptr) << error;
    const ClientReply one = client->ProcessTransaction("x");
    EXPECT_EQ(one.code, static_cast<int32_t>(0x80070005));
    EXPECT_EQ(one.text, "");
    EXPECT_EQ(one.error,
              "PIN pad d\xE9"
              "connect\xE9");
    const ClientReply two = client->GetPadTypesInfo();
    EXPECT_EQ(two.code, static_cast<int32_t>(0x80004005));
    EXPECT_EQ(two.text, "");
    EXPECT_EQ(two.error, "");  // a NULL description
}

TEST(PluginClient, NullTextIsAnEmptySuccess) {
    std::string error;
    auto client = PluginClient::Load(Plugin("cb_null_text"), error);
    ASSERT_NE(client, nullptr) << error;
    for (const ClientReply& reply : {client->ProcessTransaction("x"), client->GetPadTypesInfo()}) {
        EXPECT_EQ(reply.code, 0);
        EXPECT_EQ(reply.text, "");
        EXPECT_EQ(reply.error, "");
    }
}

TEST(PluginClient, InvalidUtf8BecomesQuestionMarks) {
    std::string error;
    auto client = PluginClient::Load(Plugin("cb_invalid_utf8"), error);
    ASSERT_NE(client, nullptr) << error;
    EXPECT_EQ(client->ProcessTransaction("x").text, "A?B?C?D\xE9");
    EXPECT_EQ(client->GetPadTypesInfo().text, "<PadTypeID1>X?</PadTypeID1>");
}

TEST(PluginClient, ScriptedPluginAnswersFilesAndLogsRequests) {
    test::TempDir dir;
    test::WriteFile("response.xml", "<r>caf\xC3\xA9</r>");
    test::ScopedEnv response("NORDTELLER_TEST_RESPONSE", dir.path() + "/response.xml");
    test::ScopedEnv log("NORDTELLER_TEST_CALL_LOG", dir.path() + "/calls.log");
    std::string error;
    auto client = PluginClient::Load(Plugin("cb_scripted"), error);
    ASSERT_NE(client, nullptr) << error;
    EXPECT_EQ(client->ProcessTransaction("first \xE9\r\n").text, "<r>caf\xE9</r>");
    test::WriteFile("response.xml", "second answer");
    EXPECT_EQ(client->ProcessTransaction("second").text, "second answer");
    EXPECT_EQ(test::ReadFile("calls.log"), "first \xC3\xA9\r\nsecond");
    {
        test::ScopedEnv unset("NORDTELLER_TEST_RESPONSE", std::nullopt);
        const ClientReply failed = client->ProcessTransaction("third");
        EXPECT_EQ(failed.code, static_cast<int32_t>(0x80004005));
        EXPECT_EQ(failed.error, "NORDTELLER_TEST_RESPONSE is not set");
    }
    EXPECT_NE(client->GetPadTypesInfo().text.find("<PadTypeID1>P400</PadTypeID1>"),
              std::string::npos);
}

TEST(ClientFactory, SimOrAPluginPath) {
    std::string error;
    auto sim = MakeClientFactory("sim")(error);
    ASSERT_NE(sim, nullptr);
    EXPECT_NE(sim->GetPadTypesInfo().text.find("POSPAD"), std::string::npos);
    auto plugin = MakeClientFactory(Plugin("cb_null_text"))(error);
    EXPECT_NE(plugin, nullptr) << error;
    EXPECT_EQ(MakeClientFactory(Plugin("cb_abi_version2"))(error), nullptr);
    EXPECT_NE(error.find("has ABI version 2"), std::string::npos);
}

}  // namespace
}  // namespace nt
