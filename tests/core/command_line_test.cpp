// SPDX-License-Identifier: GPL-3.0-or-later
// The game's command line: its own options, Qt's, and everything refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/stage_scale.h"

namespace zndl {
namespace {

CommandLine parse(std::vector<std::string> args) {
  args.insert(args.begin(), "zandoodle");
  return parseCommandLine(args);
}

using Action = CommandLine::Action;

TEST(CommandLine, NothingPlaysWithTheRememberedSize) {
  const CommandLine line = parse({});
  EXPECT_EQ(line.action, Action::Play);
  EXPECT_FALSE(line.scale.has_value());
}

TEST(CommandLine, ScaleTakesOneToFourOrFitInEitherSpelling) {
  EXPECT_EQ(parse({"--scale", "3"}).scale, 3);
  EXPECT_EQ(parse({"--scale=2"}).scale, 2);
  EXPECT_EQ(parse({"--scale", "fit"}).scale, stage::kFit);
  EXPECT_EQ(parse({"--scale=fit"}).scale, stage::kFit);
  EXPECT_EQ(parse({"--scale", "1", "--scale", "4"}).scale, 4) << "the last one counts";
  EXPECT_EQ(parse({"--scale", "2"}).action, Action::Play);
}

TEST(CommandLine, AWrongOrMissingScaleIsRefusedWithTheReason) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--scale", "5"}, {"--scale", "0"}, {"--scale=big"}, {"--scale="}, {"--scale"}}) {
    const CommandLine line = parse(args);
    EXPECT_EQ(line.action, Action::Wrong) << args.back();
    EXPECT_FALSE(line.problem.empty());
  }
  EXPECT_NE(parse({"--scale", "5"}).problem.find("'5'"), std::string::npos);
  EXPECT_NE(parse({"--scale"}).problem.find("needs a value"), std::string::npos);
}

TEST(CommandLine, HelpAndVersionWinOverPlaying) {
  EXPECT_EQ(parse({"--help"}).action, Action::Help);
  EXPECT_EQ(parse({"-h"}).action, Action::Help);
  EXPECT_EQ(parse({"--version"}).action, Action::Version);
  EXPECT_EQ(parse({"--scale", "2", "--version"}).action, Action::Version);
  EXPECT_EQ(parse({"--version", "--help"}).action, Action::Help);
}

TEST(CommandLine, UnknownOptionsAndStrayArgumentsAreRefused) {
  for (const char* wrong : {"--scales", "--full-screen", "-x", "--", "-V", "--helpme", "-scale"}) {
    const CommandLine line = parse({wrong});
    EXPECT_EQ(line.action, Action::Wrong) << wrong;
    EXPECT_NE(line.problem.find(wrong), std::string::npos) << line.problem;
  }
  EXPECT_EQ(parse({"questions.set"}).action, Action::Wrong);
  // A wrong option is refused even after --help.
  EXPECT_EQ(parse({"--help", "--bogus"}).action, Action::Wrong);
}

TEST(CommandLine, QtsOwnOptionsAndTheirValuesAreLeftForQt) {
  EXPECT_EQ(parse({"-platform", "offscreen"}).action, Action::Play);
  EXPECT_EQ(parse({"--platform", "xcb", "--scale", "2"}).scale, 2);
  EXPECT_EQ(parse({"-style", "fusion", "-reverse"}).action, Action::Play);
  EXPECT_EQ(parse({"-display", ":1", "-qwindowtitle", "Quiz night"}).action, Action::Play);
  // The value of a Qt option is never read as one of ours.
  EXPECT_EQ(parse({"-platform", "--scale"}).action, Action::Play);
  EXPECT_EQ(parse({"-platform"}).action, Action::Wrong) << "its value is missing";
}

TEST(CommandLine, TheTextsNameEveryOptionAndKey) {
  const std::string help = helpText();
  for (const char* word :
       {"--scale", "--help", "--version", "fit", "Ctrl++", "Ctrl+-", "Ctrl+0", "F11", "M "})
    EXPECT_NE(help.find(word), std::string::npos) << word;
  EXPECT_EQ(help.rfind(usageLine(), 0), 0u) << "help starts with the usage line";
  EXPECT_EQ(versionText().rfind("zandoodle 4.2\n", 0), 0u);
  EXPECT_NE(versionText().find("GPL"), std::string::npos);
}

TEST(CommandLine, PhonesAreForThisRunOnAPortOfTheUnprivilegedRange) {
  EXPECT_FALSE(parse({}).phones);
  EXPECT_TRUE(parse({"--phones"}).phones);
  EXPECT_FALSE(parse({"--phones"}).phonesPort.has_value());
  EXPECT_EQ(parse({"--phones", "--phones-port", "5000"}).phonesPort, 5000);
  EXPECT_EQ(parse({"--phones-port=65535"}).phonesPort, 65535);
  for (std::vector<std::string> wrong :
       std::vector<std::vector<std::string>>{{"--phones-port"},
                                             {"--phones-port", "80"},
                                             {"--phones-port=65536"},
                                             {"--phones-port", "12ab"},
                                             {"--phones-port="},
                                             {"--phones-port", "-1"},
                                             {"--phones-port", "000001234"},
                                             {"--phone"}}) {
    EXPECT_EQ(parse(wrong).action, Action::Wrong) << wrong[0];
  }
  EXPECT_NE(helpText().find("--phones"), std::string::npos);
  EXPECT_NE(usageLine().find("--phones-port N"), std::string::npos);
}

}  // namespace
}  // namespace zndl
