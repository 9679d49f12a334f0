// SPDX-License-Identifier: GPL-3.0-or-later
// What a phone may say to the game, read strictly, and what the game tells it.
#include <gtest/gtest.h>

#include "pads/pad_protocol.h"

using namespace zndl;
namespace protocol = zndl::pad_protocol;
using Kind = protocol::Message::Kind;

TEST(PadProtocol, EachMessageIsReadExactlyAndAnythingElseIsNoMessage) {
  const std::string token(32, 'a');
  auto hello = protocol::parse("hello " + token);
  ASSERT_TRUE(hello);
  EXPECT_EQ(hello->kind, Kind::hello);
  EXPECT_EQ(hello->value, token);
  ASSERT_TRUE(protocol::parse("hello"));
  EXPECT_EQ(protocol::parse("hello")->value, "");
  EXPECT_EQ(protocol::parse("press killpet")->action, PadAction::killThePet);
  EXPECT_EQ(protocol::parse("press a")->action, PadAction::answerA);
  EXPECT_EQ(protocol::parse("ping")->kind, Kind::ping);
  const auto name = protocol::parse("name Zoë and  Rex ");
  ASSERT_TRUE(name);
  EXPECT_EQ(name->kind, Kind::enter);
  EXPECT_EQ(name->field, EntryField::name);
  EXPECT_EQ(name->value, "Zoë and  Rex ") << "the text after the first space, whole";
  EXPECT_EQ(protocol::parse("group capitals.set")->field, EntryField::group);
  EXPECT_EQ(protocol::parse("type 3")->field, EntryField::petType);
  EXPECT_EQ(protocol::parse("time 10")->field, EntryField::answerTime);
  for (const std::string& bad : {std::string(""),
                                 std::string("Ping"),
                                 std::string("ping "),
                                 std::string(" ping"),
                                 std::string("press"),
                                 std::string("press "),
                                 std::string("press A"),
                                 std::string("press a "),
                                 std::string("press  a"),
                                 std::string("press continuee"),
                                 std::string("hello "),
                                 std::string("hello " + std::string(31, 'a')),
                                 std::string("hello " + std::string(32, 'A')),
                                 std::string("hello " + token + " x"),
                                 std::string("name"),
                                 std::string("shout hi"),
                                 std::string("name \xc3"),
                                 std::string("name ") + std::string(protocol::kMaxMessage, 'x'),
                                 std::string("press\ta"),
                                 std::string("ping\n")})
    EXPECT_FALSE(protocol::parse(bad)) << bad;
}

TEST(PadProtocol, TextGoesOutAsJsonThatNoPageCanTakeForMarkup) {
  EXPECT_EQ(protocol::jsonString("Ann"), "\"Ann\"");
  EXPECT_EQ(protocol::jsonString("say \"hi\"\\"), R"("say \"hi\"\\")");
  EXPECT_EQ(protocol::jsonString("<script>&"), R"("\u003cscript\u003e\u0026")");
  EXPECT_EQ(protocol::jsonString("a\nb\x01"), R"("a\u000ab\u0001")");
  EXPECT_EQ(protocol::jsonString("\u2028"), R"("\u2028")");
  EXPECT_EQ(protocol::jsonString("\u201CHi\u201D"), "\"\u201CHi\u201D\"");
  EXPECT_EQ(protocol::jsonString("bad\xff"), R"("bad\ufffd")");
}

TEST(PadProtocol, ThePhoneLearnsItsSeatOrThatTheyAreTaken) {
  Seats seats;
  const auto joined = seats.join(PadKind::phone, 1, "", 0, std::string(32, 'b'));
  EXPECT_EQ(protocol::joinedJson(joined),
            R"({"seat":0,"token":"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb","rejoined":false})");
  EXPECT_EQ(protocol::joinedJson({}), R"({"seat":-1,"full":true})");
  EXPECT_EQ(protocol::freedJson(), R"({"seat":-1,"freed":true})");

  PadView view;
  view.screen = PadScreen::quiz;
  view.names = {"Ann", "B<o>b"};
  view.question = "Q?";
  view.answers = {"A- x", "", ""};
  view.clock = "9";
  view.scores = {1, 0};
  view.lives = {5, 4};
  view.actions = {PadAction::answerA, PadAction::answerB, PadAction::answerC};
  EXPECT_EQ(protocol::viewJson(view, kFirstContestant, seats),
            R"({"seat":0,"screen":"quiz","seats":["connected","waiting"],)"
            R"("names":["Ann","B\u003co\u003eb"],"actions":["a","b","c"],"host":"",)"
            R"("turn":0,"question":"Q?","answers":["A- x","",""],"clock":"9","result":"",)"
            R"("scores":[1,0],"lives":[5,4]})");
}
