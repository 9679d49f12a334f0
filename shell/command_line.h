// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// The game's command line. Qt's own options (-platform, -style, -display and the
// rest) are left for Qt; anything else that is not the game's is refused.
namespace zndl {

struct CommandLine {
  enum class Action { Play, Help, Version, Wrong };
  Action action = Action::Play;
  // --scale: a stage::parseChoice value; unset keeps the remembered choice.
  std::optional<int> scale;
  // -platform NAME: the player has chosen Qt's window system.
  bool platformChosen = false;
  // --phones: phones as answer pads for this run; --phones-port N: where they join.
  bool phones = false;
  std::optional<int> phonesPort;
  // Why the command line was refused (Action::Wrong).
  std::string problem;
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What --help, --version and a refused command line print.
std::string helpText();
std::string versionText();
std::string usageLine();

}  // namespace zndl
