// The main-server test against this machine's own adapters under Wine.
#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/DB/TrevandDB.h"
#include "support/Cafe.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeServer;

namespace {

TEST(IsMainServer, MatchesTheTrimmedAddrOfAMainServerRowAgainstThisMachinesAddresses) {
    ASSERT_FALSE(Cafe::LocalAddress().empty()) << "this machine lists no Ethernet address";
    const struct {
        const char* name;
        std::vector<CafeServer> servers;
        bool expected;
    } cases[] = {
        {"this machine's address", {{"{local}", 1}}, true},
        {"with blanks around it", {{"  {local} ", 1}}, true},
        {"loopback and the null address name no machine", {{"127.0.0.1", 1}, {"0.0.0.0", 1}}, false},
        {"this machine, but not the main server", {{"{local}", 0}}, false},
        {"empty rows are skipped", {{"", 1}, {"   ", 1}, {"{local}", 1}}, true},
        {"another machine", {{"10.1.1.1", 1}}, false},
        {"either of two main-server rows", {{"10.1.1.1", 1}, {"{local}", 1}}, true},
        {"no row at all", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CafeDescription desc;
        desc.thisMachineIsMain = false;
        desc.servers = c.servers;
        Cafe cafe(desc);
        ASSERT_TRUE(cafe.Ready()) << cafe.Problem();
        EXPECT_EQ(CTrevandDB::IsMainServer(), c.expected);
    }
}

}  // namespace
