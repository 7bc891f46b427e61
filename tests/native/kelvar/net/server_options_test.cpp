#include "kelvar/net/server_options.h"

#include <gtest/gtest.h>

using namespace kelvar::net;

TEST(ServerOptions, ListenAddressesAndFaultOptionsAreCheckedWhole) {
    uint16_t address[4] = {};
    uint16_t port = 0;
    EXPECT_TRUE(ParseListenAddress("127.0.0.1:0", address, port));
    EXPECT_EQ(address[0], 127);
    EXPECT_EQ(address[3], 1);
    EXPECT_EQ(port, 0);
    for (const char* bad : {"127.0.0.1", "127.0.0.1:65536", "127.0.0:2000", "127.0.0.256:2000", "1.2.3.4.5:2000",
                            "a.b.c.d:2000", "127.0.0.1:", ":2000", "127.0.0.1:20x0"}) {
        EXPECT_FALSE(ParseListenAddress(bad, address, port)) << bad;
    }

    std::string error;
    const auto options = ParseServerOptions({"--drop-every", "3", "--latency", "5", "--close-after", "2",
                                             "--garble-every", "4", "--listen", "127.0.0.2:2001"},
                                            error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->faults.dropEvery, 3u);
    EXPECT_EQ(options->faults.latencyMs, 5);
    EXPECT_EQ(options->faults.closeAfter, 2u);
    EXPECT_EQ(options->faults.garbleEvery, 4u);
    EXPECT_EQ(options->port, 2001);
    EXPECT_EQ(ParseServerOptions({}, error)->port, kDefaultServerPort);
    EXPECT_TRUE(IsLoopback(ParseServerOptions({}, error)->address));
    EXPECT_FALSE(ParseServerOptions({"--drop-every", "-1"}, error).has_value());
    EXPECT_FALSE(ParseServerOptions({"--latency"}, error).has_value());
    EXPECT_FALSE(ParseServerOptions({"--bogus", "1"}, error).has_value());
}

TEST(ServerOptions, AnAddressBeyondLoopbackNeedsASecretAndInsecure) {
    std::string error;
    const std::vector<std::string> beyond = {"--listen", "0.0.0.0:2000"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), beyond.begin(), beyond.end());
        return ParseServerOptions(more, error);
    };
    EXPECT_FALSE(with({}).has_value());
    EXPECT_NE(error.find("in clear"), std::string::npos);
    EXPECT_FALSE(with({"--secret-file", "reader.key"}).has_value());
    EXPECT_FALSE(with({"--insecure"}).has_value());
    const auto options = with({"--secret-file", "reader.key", "--insecure", "--exclusive", "--max-clients", "5"});
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_TRUE(options->exclusive);
    EXPECT_EQ(options->maxClients, 5u);
    EXPECT_EQ(options->secretFile, "reader.key");
    EXPECT_FALSE(ParseServerOptions({"--max-clients", "0"}, error).has_value());
    EXPECT_EQ(ParseServerOptions({}, error)->maxClients, 64u);
}

TEST(ServerOptions, BackendChoicesAndTheirReaders) {
    std::string error;
    const auto options = ParseServerOptions(
        {"--backend", "pcsc", "--pcsc-reader", "ACR", "--pcsc-sam", "SAM", "--list-readers"}, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(*options->backend, "pcsc");
    EXPECT_EQ(*options->pcscReader, "ACR");
    EXPECT_EQ(*options->pcscSam, "SAM");
    EXPECT_TRUE(options->listReaders);
    EXPECT_FALSE(ParseServerOptions({}, error)->backend.has_value()) << "unset: the configuration decides";
    EXPECT_FALSE(ParseServerOptions({"--backend", "PCSC"}, error).has_value());
    EXPECT_FALSE(ParseServerOptions({"--backend"}, error).has_value());
}
