// SPDX-License-Identifier: GPL-3.0-or-later
// What the phones' server takes from the network: a strict, bounded GET, routed only
// with the run's token, and upgraded to a socket only for the game's own page; and
// which addresses it shows and which peers it serves.
#include <gtest/gtest.h>

#include "pads/http_request.h"
#include "pads/local_network.h"

using namespace zndl;
using http::Asked;
using http::Head;

namespace {

const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::vector<std::string> kHosts = {"192.168.1.20:47470", "127.0.0.1:47470"};

http::Request read(const std::string& head) {
  http::Request request;
  EXPECT_EQ(http::readHead(head, request), Head::complete) << head;
  return request;
}

std::string upgrade(const std::string& host, const std::string& origin, const std::string& path) {
  return "GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\nUpgrade: websocket\r\n" +
         "Connection: keep-alive, Upgrade\r\nOrigin: " + origin +
         "\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
}

}  // namespace

TEST(PhoneRequests, OnlyAWholeWellFormedHeadWithinItsBoundsIsARequest) {
  http::Request request;
  EXPECT_EQ(http::readHead("GET /j/x HTTP/1.1\r\nHost: a", request), Head::incomplete);
  const http::Request got = read("GET /j/x HTTP/1.1\r\nHOST:  a:1 \r\nX-A: b\r\n\r\nbody");
  EXPECT_EQ(got.method, "GET");
  EXPECT_EQ(got.target, "/j/x");
  EXPECT_EQ(got.header("host"), "a:1");
  for (const std::string& bad :
       {std::string("GET /j/x HTTP/1.0\r\n\r\n"), std::string("GET /j/x\r\n\r\n"),
        std::string("GET j/x HTTP/1.1\r\n\r\n"), std::string("GET /j/ x HTTP/1.1\r\n\r\n"),
        std::string("G(T /j/x HTTP/1.1\r\n\r\n"),
        std::string("GET /j/x HTTP/1.1\r\nHost a\r\n\r\n"),
        std::string("GET /j/x HTTP/1.1\r\n: a\r\n\r\n"),
        std::string("GET /j/x HTTP/1.1\r\nBad Name: a\r\n\r\n"),
        std::string("GET /j/x HTTP/1.1\r\nA: b\x01\r\n\r\n"),
        std::string("GET /j/\xc3\xa9 HTTP/1.1\r\n\r\n")})
    EXPECT_EQ(http::readHead(bad, request), Head::bad) << bad;
  std::string many = "GET / HTTP/1.1\r\n";
  for (std::size_t i = 0; i <= http::kMaxHeaders; ++i) many += "A: b\r\n";
  EXPECT_EQ(http::readHead(many + "\r\n", request), Head::bad) << "too many headers";
  EXPECT_EQ(http::readHead(std::string(http::kMaxHead, 'G'), request), Head::bad)
      << "a head that never ends within the bound";
  EXPECT_EQ(http::readHead("GET / HTTP/1.1\r\nA: " + std::string(http::kMaxHead, 'x') + "\r\n\r\n",
                           request),
            Head::bad);
  EXPECT_EQ(read("GET / HTTP/1.1\r\nA: 1\r\nA: 2\r\n\r\n").header("a"), std::nullopt)
      << "a repeated header counts as none";
}

TEST(PhoneRequests, ThePageAndItsFilesComeOnlyWithTheRunsToken) {
  const auto route = [](const std::string& target, const std::string& method = "GET") {
    return http::route(read(method + " " + target + " HTTP/1.1\r\nHost: x\r\n\r\n"), kToken,
                       kHosts);
  };
  EXPECT_EQ(route("/j/" + kToken), Asked::page);
  EXPECT_EQ(route("/j/" + kToken + "/pad.css"), Asked::style);
  EXPECT_EQ(route("/j/" + kToken + "/pad.js"), Asked::script);
  for (const std::string& target :
       {std::string("/"), std::string("/j/"), std::string("/j/" + kToken.substr(1)),
        std::string("/j/" + kToken + "0"), std::string("/j/" + kToken + "/"),
        std::string("/j/" + kToken + "/names.etc"), std::string("/j/" + kToken + "/../pad.js"),
        std::string("/j/" + kToken + "/pad.js?x"), std::string("/J/" + kToken),
        std::string("/j/0123456789ABCDEF0123456789ABCDEF"), std::string("/favicon.ico")})
    EXPECT_EQ(route(target), Asked::nothing) << target;
  EXPECT_EQ(route("/j/" + kToken, "POST"), Asked::nothing);
  EXPECT_EQ(route("/j/" + kToken, "HEAD"), Asked::nothing);
  EXPECT_EQ(route("/j/" + kToken + "/ws"), Asked::nothing) << "not an upgrade";
}

TEST(PhoneRequests, TheSocketIsOnlyForThisGamesPageAtAnAddressItServes) {
  const std::string ws = "/j/" + kToken + "/ws";
  std::string host;
  EXPECT_EQ(http::route(read(upgrade("192.168.1.20:47470", "http://192.168.1.20:47470", ws)),
                        kToken, kHosts, &host),
            Asked::socket);
  EXPECT_EQ(host, "192.168.1.20:47470");
  const struct {
    std::string host, origin, path;
  } refused[] = {
      {"evil.example:47470", "http://evil.example:47470", ws},  // DNS rebinding
      {"192.168.1.20:47470", "http://evil.example", ws},        // another site's page
      {"192.168.1.20:47470", "null", ws},
      {"192.168.1.20:47470", "https://192.168.1.20:47470", ws},
      {"192.168.1.20:47470", "http://127.0.0.1:47470", ws},
      {"192.168.1.20:9999", "http://192.168.1.20:9999", ws},
      {"192.168.1.20:47470", "http://192.168.1.20:47470", "/j/" + kToken.substr(2) + "ab/ws"},
  };
  for (const auto& r : refused)
    EXPECT_EQ(http::route(read(upgrade(r.host, r.origin, r.path)), kToken, kHosts), Asked::nothing)
        << r.host << " " << r.origin << " " << r.path;
  http::Request noOrigin = read("GET " + ws +
                                " HTTP/1.1\r\nHost: 127.0.0.1:47470\r\nUpgrade: websocket\r\n"
                                "Connection: Upgrade\r\n\r\n");
  EXPECT_EQ(http::route(noOrigin, kToken, kHosts), Asked::nothing);
}

namespace ln = zndl::local_network;

TEST(PhoneNetwork, TheAddressShownIsTheDefaultRoutesAndNeverLoopbackOrAContainers) {
  const auto ip = [](const char* text) { return *ln::parseIpv4(text); };
  const std::vector<ln::Interface> interfaces = {
      {"lo", true, true, false, false, {{ip("127.0.0.1"), 8}}},
      {"docker0", true, false, false, false, {{ip("172.17.0.1"), 16}}},
      {"wlan0", true, false, false, false, {{ip("192.168.1.20"), 24}}},
      {"eth0", true, false, false, false, {{ip("10.0.0.5"), 8}, {ip("169.254.3.4"), 16}}},
      {"tun0", true, false, true, false, {{ip("10.8.0.2"), 32}}},
      {"enp3s0", false, false, false, false, {{ip("192.168.9.9"), 24}}},
      {"virtual9", true, false, false, true, {{ip("192.168.122.1"), 24}}},
  };
  EXPECT_EQ(ln::joinAddresses(interfaces, "wlan0"),
            (std::vector<std::string>{"192.168.1.20", "10.0.0.5"}));
  EXPECT_EQ(ln::joinAddresses(interfaces, "eth0"),
            (std::vector<std::string>{"10.0.0.5", "192.168.1.20"}));
  EXPECT_TRUE(ln::joinAddresses({interfaces[0], interfaces[1]}, "").empty());

  EXPECT_TRUE(ln::onLocalNetwork(ip("127.0.0.1"), interfaces));
  EXPECT_TRUE(ln::onLocalNetwork(ip("192.168.1.77"), interfaces));
  EXPECT_TRUE(ln::onLocalNetwork(ip("10.200.1.1"), interfaces));
  EXPECT_FALSE(ln::onLocalNetwork(ip("192.168.9.10"), interfaces)) << "that interface is down";
  EXPECT_FALSE(ln::onLocalNetwork(ip("8.8.8.8"), interfaces));
  EXPECT_FALSE(ln::onLocalNetwork(ip("192.168.2.1"), interfaces));
  EXPECT_FALSE(ln::onLocalNetwork(ip("1.2.3.4"), {{"odd", true, false, false, false, {{0, 0}}}}))
      << "a route to everything is no local network";
}

TEST(PhoneNetwork, AddressesAndTheDefaultRouteAreReadStrictly) {
  EXPECT_EQ(ln::parseIpv4("192.168.1.20"), 0xC0A80114u);
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "01.2.3.4", "1.2.3.4 ", "a.b.c.d",
                          "1..2.3", "1234.1.1.1"})
    EXPECT_FALSE(ln::parseIpv4(bad)) << bad;
  EXPECT_EQ(ln::formatIpv4(0xC0A80114u), "192.168.1.20");
  const std::string table =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
      "wlan0\t0001A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n"
      "eth9\t00000000\t0101A8C0\t0002\t0\t0\t100\t00000000\t0\t0\t0\n"
      "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n";
  EXPECT_EQ(ln::defaultRouteInterface(table), "wlan0") << "the one that is up";
  EXPECT_EQ(ln::defaultRouteInterface("Iface\tDestination\n"), "");
}
