// SPDX-License-Identifier: GPL-3.0-or-later
#include "pads/local_network.h"

#include <algorithm>

namespace zndl::local_network {
namespace {

// Names of interfaces that only lead to containers, virtual machines or tunnels.
constexpr std::string_view kVirtualNames[] = {
    "docker", "br-", "veth",    "virbr",   "vnet",  "tun", "tap",       "wg",  "lxc", "lxd",
    "podman", "cni", "flannel", "vboxnet", "vmnet", "zt",  "tailscale", "ppp", "utun"};

bool looksVirtual(const Interface& i) {
  return i.isVirtual || i.pointToPoint ||
         std::any_of(std::begin(kVirtualNames), std::end(kVirtualNames),
                     [&](std::string_view prefix) { return i.name.starts_with(prefix); });
}

std::uint32_t mask(int prefix) {
  if (prefix <= 0) return 0;
  if (prefix >= 32) return 0xFFFFFFFFu;
  return ~((1u << (32 - prefix)) - 1u);
}

}  // namespace

std::optional<std::uint32_t> parseIpv4(std::string_view text) {
  std::uint32_t ip = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
    std::size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 3) {
      value = value * 10 + static_cast<unsigned>(text[digits] - '0');
      ++digits;
    }
    if (digits == 0 || value > 255 || (digits > 1 && text.front() == '0')) return std::nullopt;
    text.remove_prefix(digits);
    ip = (ip << 8) | value;
  }
  if (!text.empty()) return std::nullopt;
  return ip;
}

std::string formatIpv4(std::uint32_t ip) {
  return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 0xFF) + "." +
         std::to_string((ip >> 8) & 0xFF) + "." + std::to_string(ip & 0xFF);
}

std::string defaultRouteInterface(std::string_view table) {
  // Iface Destination Gateway Flags ... in hex; the default route goes to 00000000 with
  // a mask of 00000000 and is up (flag 1).
  while (!table.empty()) {
    const std::size_t end = table.find('\n');
    std::string_view line = table.substr(0, end);
    table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
    std::vector<std::string_view> fields;
    while (!line.empty()) {
      const std::size_t start = line.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      line.remove_prefix(start);
      const std::size_t stop = line.find_first_of(" \t");
      fields.push_back(line.substr(0, stop));
      line.remove_prefix(stop == std::string_view::npos ? line.size() : stop);
    }
    if (fields.size() < 8 || fields[1] != "00000000" || fields[7] != "00000000") continue;
    unsigned flags = 0;
    for (char c : fields[3]) {
      const bool digit = c >= '0' && c <= '9',
                 hex = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
      if (!digit && !hex) {
        flags = 0;
        break;
      }
      flags = flags * 16 + static_cast<unsigned>(digit ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    if (flags & 1u) return std::string(fields[0]);
  }
  return {};
}

std::vector<std::string> joinAddresses(const std::vector<Interface>& interfaces,
                                       std::string_view defaultRoute) {
  std::vector<std::string> first, rest;
  for (const Interface& i : interfaces) {
    if (!i.up || i.loopback || looksVirtual(i)) continue;
    for (const Address& a : i.addresses) {
      if ((a.ip >> 24) == 127 || (a.ip >> 16) == 0xA9FE) continue;  // loopback, link-local
      (i.name == defaultRoute ? first : rest).push_back(formatIpv4(a.ip));
    }
  }
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

bool onLocalNetwork(std::uint32_t peer, const std::vector<Interface>& interfaces) {
  if ((peer >> 24) == 127) return true;
  for (const Interface& i : interfaces) {
    if (!i.up) continue;
    for (const Address& a : i.addresses)
      if (a.prefix >= 8 && (peer & mask(a.prefix)) == (a.ip & mask(a.prefix))) return true;
  }
  return false;
}

}  // namespace zndl::local_network
