// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <algorithm>
#include <string_view>

#include "shell/stage_scale.h"

namespace zndl {
namespace {

// Qt's options, taken with one dash or two; the first list takes a value.
constexpr std::string_view kQtWithValue[] = {"platform",
                                             "platformpluginpath",
                                             "platformtheme",
                                             "plugin",
                                             "style",
                                             "stylesheet",
                                             "session",
                                             "display",
                                             "geometry",
                                             "title",
                                             "name",
                                             "qwindowgeometry",
                                             "qwindowicon",
                                             "qwindowtitle",
                                             "fn",
                                             "font",
                                             "bg",
                                             "background",
                                             "fg",
                                             "foreground",
                                             "btn",
                                             "button",
                                             "visual",
                                             "im",
                                             "inputstyle",
                                             "graphicssystem"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb",       "dograb",
                                         "sync",    "cmap",        "qmljsdebugger"};

bool contains(const std::string_view* begin, const std::string_view* end, std::string_view name) {
  return std::find(begin, end, name) != end;
}

std::string_view withoutDashes(std::string_view arg) {
  if (arg.starts_with("--")) return arg.substr(2);
  if (arg.starts_with("-")) return arg.substr(1);
  return arg;
}

CommandLine wrong(std::string problem) {
  CommandLine result;
  result.action = CommandLine::Action::Wrong;
  result.problem = std::move(problem);
  return result;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  bool help = false;
  bool version = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (arg == "--scale" || arg.starts_with("--scale=")) {
      std::string_view value;
      if (arg == "--scale") {
        if (i + 1 >= arguments.size()) return wrong("option '--scale' needs a value");
        value = arguments[++i];
      } else {
        value = arg.substr(8);
      }
      const auto choice = stage::parseChoice(value);
      if (!choice)
        return wrong("invalid scale '" + std::string(value) + "' (use 1, 2, 3, 4 or fit)");
      result.scale = choice;
    } else if (arg == "--phones") {
      result.phones = true;
    } else if (arg == "--phones-port" || arg.starts_with("--phones-port=")) {
      std::string_view value;
      if (arg == "--phones-port") {
        if (i + 1 >= arguments.size()) return wrong("option '--phones-port' needs a value");
        value = arguments[++i];
      } else {
        value = arg.substr(14);
      }
      int port = 0;
      const bool digits =
          !value.empty() && value.size() <= 5 &&
          std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
      if (digits) port = std::stoi(std::string(value));
      if (!digits || port < 1024 || port > 65535)
        return wrong("invalid port '" + std::string(value) + "' (use 1024 to 65535)");
      result.phonesPort = port;
    } else if (arg.size() > 1 && arg.front() == '-') {
      const std::string_view name = withoutDashes(arg);
      const bool qtFlag = contains(std::begin(kQtFlags), std::end(kQtFlags), name) ||
                          name.starts_with("qmljsdebugger=");
      const bool qtValued = contains(std::begin(kQtWithValue), std::end(kQtWithValue), name);
      if (qtValued) {
        if (i + 1 >= arguments.size())
          return wrong("option '" + std::string(arg) + "' needs a value");
        ++i;  // Qt reads the value itself
        if (name == "platform") result.platformChosen = true;
      } else if (!qtFlag) {
        return wrong("unrecognized option '" + std::string(arg) + "'");
      }
    } else {
      return wrong("unexpected argument '" + std::string(arg) + "'");
    }
  }
  if (help)
    result.action = CommandLine::Action::Help;
  else if (version)
    result.action = CommandLine::Action::Version;
  return result;
}

std::string usageLine() {
  return "Usage: zandoodle [--scale N|fit] [--phones] [--phones-port N] [--help] [--version]\n"
         "                 [Qt options]\n";
}

std::string versionText() {
  return "zandoodle " ZNDL_VERSION
         "\n"
         "Copyright (C) Vormle Co.\n"
         "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>;\n"
         "pictures, tunes, host texts and question groups CC-BY-SA-4.0.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string helpText() {
  return usageLine() +
         "The quiz show your pet fears: a two-player party quiz game.\n"
         "\n"
         "Run it in the play folder (zandoodle-launcher makes and fills one).\n"
         "\n"
         "Options:\n"
         "  --scale N     show every screen N times its size (N is 1, 2, 3 or 4)\n"
         "  --scale fit   the largest size that fits the screen (the default)\n"
         "  --phones      let the contestants answer from their phones: the title shows\n"
         "                a code to scan and an address to open on the local network\n"
         "  --phones-port N\n"
         "                the port the phones join on (the default is 47470)\n"
         "  -h, --help    print this help and exit\n"
         "  --version     print the version and exit\n"
         "Qt's own options, such as -platform NAME, are passed to Qt.\n"
         "\n"
         "Keys on every screen:\n"
         "  Ctrl++, Ctrl+=  bigger      Ctrl+-  smaller      Ctrl+0  fit the screen\n"
         "  F11             full screen on and off\n"
         "  M               music off and on (in a text field it types an M)\n"
         "On the title screen:\n"
         "  P               phones as answer pads on and off (in a text field it types a P)\n"
         "The size, full screen, music and phones choices are remembered between runs.\n";
}

}  // namespace zndl
