// What show says of the terminal and network settings: each value in words from its list, in
// text and in JSON, and secrets only as set or not.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>

#include "cli_support.h"

namespace fw {
namespace {

using test::Cli;
using test::kSample;
using test::ToolFolder;
using test::ToolResult;
using namespace test::file;

TEST(CliSettings, ShowNamesTheSettingsAndTheEncryptionItUses) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    bytes[kTerminalSettings + 5] = 4;    // upload port Wi-Fi
    bytes[kTerminalSettings + 28] = 4;   // 9600
    bytes[kTerminalSettings + 259] = 2;  // loud
    bytes[kNetworkSettings + 6] = 1;
    bytes[kNetworkSettings + 57] = 1;  // WEP
    bytes[kNetworkSettings + 58] = 1;  // open
    bytes[kNetworkSettings + 59] = 1;  // 128-bit
    bytes[kNetworkSettings + 60] = 2;  // the third key
    bytes[kNetworkSettings + 61 + 14] = 'k';
    dir.Write("p.FWW", bytes);

    const ToolResult text = Cli(dir, "show p.FWW");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* words :
         {"upload port: Wi-Fi", "baud rate: 9600 bit/s", "volume: high", "encryption: WEP",
          "wep authentication: open", "wep key length: 128-bit", "active wep key: key 3"})
        EXPECT_NE(text.out.find(words), std::string::npos) << words << "\n" << text.out;
    EXPECT_EQ(text.out.find("wpa key set"), std::string::npos);

    const ToolResult r = Cli(dir, "show p.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const test::Json& net = root["definition"]["network"];
    EXPECT_EQ(net["wep key length"].text, "128-bit");
    ASSERT_EQ(net["wep keys set"].items.size(), 4u);
    EXPECT_EQ(net["wep keys set"][0].text, "false");
    EXPECT_EQ(net["wep keys set"][1].text, "true");

    bytes[kNetworkSettings + 57] = 4;  // EAP
    std::string login = "clerk";
    bytes.replace(kNetworkSettings + 117, login.size(), login);
    dir.Write("p.FWW", bytes);
    const ToolResult eap = Cli(dir, "show p.FWW");
    EXPECT_NE(eap.out.find("eap login: clerk"), std::string::npos) << eap.out;
    EXPECT_NE(eap.out.find("eap password set: no"), std::string::npos) << eap.out;
    EXPECT_EQ(eap.out.find("wep key length"), std::string::npos);
}

}  // namespace
}  // namespace fw
