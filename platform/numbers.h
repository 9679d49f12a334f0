// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace zndl {

// A decimal whole number written with nothing around it ("+7" and "-2" included).
inline std::optional<long long> parseWholeNumber(std::string_view s) {
  bool plus = false;
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    plus = true;
  }
  if (s.empty() || s.front() == '+' || (plus && s.front() == '-')) return std::nullopt;
  long long value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

}  // namespace zndl
