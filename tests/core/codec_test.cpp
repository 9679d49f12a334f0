// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/cp1252.h"

using namespace zndl;

TEST(Codec, EveryByteSurvivesTheTripThroughUtf8) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const auto back = cp1252::fromUtf8(cp1252::toUtf8(byte));
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, byte) << b;
  }
}

TEST(Codec, TheShowsQuotesAndApostropheAreTheirWindowsBytes) {
  EXPECT_EQ(cp1252::toUtf8("\x93\x94\x92"), "\u201C\u201D\u2019");
  EXPECT_EQ(*cp1252::fromUtf8("\u201CIt\u2019s\u201D"), "\x93It\x92s\x94");
  EXPECT_EQ(cp1252::toUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(Codec, RefusesWhatTheCodePageCannotHold) {
  EXPECT_FALSE(cp1252::representable("\u4E2D"));      // a Chinese character
  EXPECT_FALSE(cp1252::representable("\U0001F427"));  // a penguin emoji
  EXPECT_FALSE(cp1252::representable("\xC3"));        // cut-off UTF-8
  EXPECT_FALSE(cp1252::representable("\xE2\x82"));
  EXPECT_TRUE(cp1252::representable("Zo\u00eb \u20AC5"));
}

TEST(Codec, LetterCaseFoldsForPlainAndAccentedLetters) {
  EXPECT_TRUE(cp1252::equalsIgnoringCase("[7-YES]", "[7-yes]"));
  EXPECT_TRUE(cp1252::equalsIgnoringCase("\u00c9COLE", "\u00e9cole"));
  EXPECT_TRUE(cp1252::equalsIgnoringCase("\u0160", "\u0161"));
  EXPECT_FALSE(cp1252::equalsIgnoringCase("abc", "abd"));
  EXPECT_FALSE(cp1252::equalsIgnoringCase("abc", "abc "));
  EXPECT_FALSE(cp1252::equalsIgnoringCase("\u00d7", "\u00f7")) << "x and / are not letters";
}

TEST(Codec, OnlyWellFormedUtf8IsReadAsText) {
  EXPECT_TRUE(cp1252::isUtf8("Caf\xC3\xA9 \xE2\x80\x9Cyes\xE2\x80\x9D \xF0\x9F\x90\xA7"));
  // An overlong "A", a surrogate and a character past U+10FFFF are not UTF-8, and a
  // file holding them must not be taken for text another editor wrote.
  for (std::string_view bad : {"\xC1\x81", "\xE0\x81\x81", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    EXPECT_FALSE(cp1252::isUtf8(bad)) << bad.size();
    EXPECT_FALSE(cp1252::fromUtf8(bad).has_value()) << bad.size();
  }
  std::string penguin;
  cp1252::appendUtf8(penguin, U'\U0001F427');
  EXPECT_EQ(penguin, "\xF0\x9F\x90\xA7");
}
