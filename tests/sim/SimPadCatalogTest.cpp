#include <sys/stat.h>

#include "sim/SimPadCatalog.h"

#include <gtest/gtest.h>

#include <set>

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt::sim {
namespace {

// The text between <tag> and </tag>, as the client's catalog reader takes it.
std::string Tag(const std::string& text, const std::string& tag) {
    const size_t begin = text.find("<" + tag + ">");
    const size_t end = text.find("</" + tag + ">");
    if (begin == std::string::npos || end == std::string::npos) {
        return "";
    }
    return text.substr(begin + tag.size() + 2, end - begin - tag.size() - 2);
}

TEST(SimPadCatalog, BuiltInCatalogHasEveryShapeOfTree) {
    test::ScopedEnv env("NORDTELLER_SIM_CATALOG", std::nullopt);
    const ClientReply reply = PadTypesInfo();
    ASSERT_EQ(reply.code, 0);
    std::set<std::string> processors, manufacturers, ids;
    int entries = 0;
    bool pospad = false, p400 = false;
    for (int n = 1;; ++n) {
        const std::string id = Tag(reply.text, "PadTypeID" + std::to_string(n));
        if (id.empty()) {
            break;
        }
        ++entries;
        const std::string processor = Tag(reply.text, "Processor" + std::to_string(n));
        const std::string manufacturer = Tag(reply.text, "Manufacturer" + std::to_string(n));
        EXPECT_FALSE(processor.empty()) << n;
        EXPECT_FALSE(manufacturer.empty()) << n;
        processors.insert(processor);
        manufacturers.insert(manufacturer);
        ids.insert(id);
        pospad = pospad || id.find("POSPAD") != std::string::npos;
        p400 = p400 || id.find("P400") != std::string::npos;
    }
    EXPECT_GE(entries, 12);
    EXPECT_GE(processors.size(), 3u);
    EXPECT_GE(manufacturers.size(), 3u);
    EXPECT_LT(ids.size(), static_cast<size_t>(entries));  // one pad type under two processors
    EXPECT_TRUE(pospad);
    EXPECT_TRUE(p400);
    EXPECT_EQ(Tag(reply.text, "PadTypeID" + std::to_string(entries + 1)), "");
}

TEST(SimPadCatalog, FileNamedByTheEnvironmentIsAnsweredAsIs) {
    test::TempDir dir;
    const std::string raw = "<PadTypeID1>Caf\xE9</PadTypeID1>\n\r\x01not even xml<";
    test::WriteFile(dir.path() + "/catalog.txt", raw);
    test::ScopedEnv env("NORDTELLER_SIM_CATALOG", dir.path() + "/catalog.txt");
    const ClientReply reply = PadTypesInfo();
    EXPECT_EQ(reply.code, 0);
    EXPECT_EQ(reply.text, raw);
}

TEST(SimPadCatalog, UnreadableFileIsAFailureNamingIt) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);  // would be waited on for ever
    for (const std::string& path : {dir.path() + "/missing.txt", dir.path(), dir.path() + "/fifo",
                                    std::string("/dev/zero")}) {
        test::ScopedEnv env("NORDTELLER_SIM_CATALOG", path);
        const ClientReply reply = PadTypesInfo();
        EXPECT_EQ(reply.code, kClientFail);
        EXPECT_EQ(reply.text, "");
        EXPECT_EQ(reply.error.rfind("Cannot read the pad catalog " + path + ": ", 0), 0u)
            << reply.error;
    }
}

}  // namespace
}  // namespace nt::sim
