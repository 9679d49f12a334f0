// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The PC's own network as the phones' server sees it: which addresses a phone can join
// at, and which peers are on the local network at all.
namespace zndl::local_network {

struct Address {
  std::uint32_t ip = 0;  // IPv4, host order
  int prefix = 32;       // the subnet's length in bits
};

struct Interface {
  std::string name;
  bool up = false;
  bool loopback = false;
  bool pointToPoint = false;  // a VPN's tunnel and the like
  bool isVirtual = false;     // as the system names it so (tun, tap, bridges of containers)
  std::vector<Address> addresses;
};

std::optional<std::uint32_t> parseIpv4(std::string_view text);
std::string formatIpv4(std::uint32_t ip);

// The interface the default route goes out of, from the text of /proc/net/route; empty
// when there is none.
std::string defaultRouteInterface(std::string_view procNetRoute);

// The addresses a phone on the local network can join at, best first: those of the
// default route's interface, then the other real ones. Loopback, containers' bridges
// (docker, podman, lxc, libvirt), VPN tunnels and other virtual interfaces are left out.
std::vector<std::string> joinAddresses(const std::vector<Interface>& interfaces,
                                       std::string_view defaultRoute);

// Whether a peer may be served: on loopback, or on the subnet of one of the PC's
// interfaces that are up.
bool onLocalNetwork(std::uint32_t peer, const std::vector<Interface>& interfaces);

}  // namespace zndl::local_network
