// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/session.h"

#include <algorithm>

namespace zndl {
namespace {

// -platform NAME, as the toolkit reads it, also with two dashes or as -platform=NAME.
bool choosesPlatform(const std::string& argument) {
  for (const char* option : {"-platform", "--platform"}) {
    const std::string name(option);
    if (argument == name || argument.rfind(name + "=", 0) == 0) return true;
  }
  return false;
}

}  // namespace

bool preferX11(const Session& session) {
  if (session.waylandDisplay.empty() || session.display.empty()) return false;
  if (!session.chosenPlatform.empty()) return false;
  // Every argument after the program's name, as the toolkit reads them.
  const auto& args = session.arguments;
  return std::none_of(args.begin() + (args.empty() ? 0 : 1), args.end(), choosesPlatform);
}

}  // namespace zndl
