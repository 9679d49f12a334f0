// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "host/host_lists.h"
#include "host/text_list.h"
#include "platform/cp1252.h"
#include "platform/error.h"

using namespace zndl;
using zndl::testing::readFile;
using zndl::testing::TempDir;
using zndl::testing::writeFile;

TEST(TextList, EveryKindOfLineBreakEndsALine) {
  const TextList crlf = TextList::fromBytes("one\r\ntwo\r\n");
  const TextList lf = TextList::fromBytes("one\ntwo\n");
  const TextList cr = TextList::fromBytes("one\rtwo\r");
  const TextList mixed = TextList::fromBytes("one\rtwo\n");
  for (const TextList* list : {&crlf, &lf, &cr, &mixed}) {
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->at(0), "one");
    EXPECT_EQ(list->at(1), "two");
  }
  // LF then CR is two breaks, with an empty line between.
  EXPECT_EQ(TextList::fromBytes("a\n\rb").count(), 3);
}

TEST(TextList, FinalLineBreakAddsNoEntryButABlankLineBeforeItDoes) {
  EXPECT_EQ(TextList::fromBytes("one\r\ntwo").count(), 2);
  EXPECT_EQ(TextList::fromBytes("one\r\ntwo\r\n").count(), 2);
  const TextList blank = TextList::fromBytes("one\r\n\r\n");
  ASSERT_EQ(blank.count(), 2);
  EXPECT_EQ(blank.at(1), "");
  EXPECT_EQ(TextList::fromBytes("").count(), 0);
  EXPECT_EQ(TextList::fromBytes("solo").count(), 1);
  EXPECT_EQ(TextList::fromBytes("\r\n").count(), 1);
}

TEST(TextList, ReadsOutsideTheListGiveTheEmptyText) {
  const TextList list{"a", "b"};
  EXPECT_EQ(list.at(-1), "");
  EXPECT_EQ(list.at(2), "");
  EXPECT_EQ(TextList{}.at(0), "");
}

TEST(TextList, FindIgnoresCaseMatchesWholeLinesAndTakesTheFirst) {
  const TextList list = TextList::fromBytes("[1]\r\n [2]\r\n[2-Yes]\r\n[2-YES]\r\n\xC9T\xC9\r\n");
  EXPECT_EQ(list.find("[2-yes]"), 2);
  EXPECT_EQ(list.find("[2]"), -1) << "no trimming of spaces";
  EXPECT_EQ(list.find("[1"), -1) << "whole lines only";
  EXPECT_EQ(list.find("\u00e9t\u00e9"), 4) << "accented letters fold too";
}

TEST(TextList, SwapAndAppendAndSetGrowTheList) {
  TextList list{"a", "b", "c"};
  list.swap(0, 2);
  EXPECT_EQ(list, (TextList{"c", "b", "a"}));
  list.set(5, "f");
  EXPECT_EQ(list.count(), 6);
  EXPECT_EQ(list.at(4), "");
  list.append("g");
  EXPECT_EQ(list.at(6), "g");
  list.clear();
  EXPECT_EQ(list.count(), 0);
}

TEST(TextList, RoundTripsEveryByteOfTheCodePage) {
  std::string bytes;
  for (int b = 0x20; b <= 0xFF; ++b) {
    bytes += static_cast<char>(b);
    if (b % 16 == 15) bytes += "\r\n";
  }
  const TextList list = TextList::fromBytes(bytes);
  EXPECT_EQ(list.toBytes(), bytes);
  EXPECT_EQ(list.at(6).substr(0, 3), "\u20AC") << "0x80 is the euro sign";
}

TEST(TextList, KeepsAMissingFinalLineBreakAndNormalisesTheRest) {
  EXPECT_EQ(TextList::fromBytes("a\r\nb").toBytes(), "a\r\nb");
  EXPECT_EQ(TextList::fromBytes("a\nb\n").toBytes(), "a\r\nb\r\n");
  EXPECT_EQ(TextList::fromBytes("a\rb").toBytes(), "a\r\nb");
  EXPECT_EQ((TextList{"x", "y"}).toBytes(), "x\r\ny\r\n") << "built-in lists end with CR LF";
}

TEST(TextList, FilesRoundTripByteForByte) {
  TempDir dir;
  const std::string bytes = "Caf\xE9\r\n\x93quoted\x94 and it\x92s\r\n\r\n\x81\x8D\x8F\x90\x9D\r\n";
  writeFile("list", bytes);
  TextList list;
  list.loadFromFile("list");
  EXPECT_TRUE(list.loadedFromFile());
  EXPECT_EQ(list.at(1), "\u201Cquoted\u201D and it\u2019s");
  list.saveToFile("copy");
  EXPECT_EQ(readFile("copy"), bytes);
}

TEST(TextList, UnreadableFileIsReportedByNameAndKeepsTheContent) {
  TempDir dir;
  TextList list{"kept"};
  try {
    list.loadFromFile("nowhere");
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file nowhere");
  }
  EXPECT_EQ(list, TextList{"kept"});
  EXPECT_FALSE(list.loadedFromFile());
}

TEST(TextList, BuiltInListsAreWordForWord) {
  EXPECT_EQ(builtin::script().count(), 8);
  EXPECT_EQ(builtin::script().at(7), "<END>");
  ASSERT_EQ(builtin::descriptions().count(), 5);
  EXPECT_EQ(*cp1252::fromUtf8(builtin::descriptions().at(0)),
            "...the programme we don\x92t like to talk about.");
  EXPECT_EQ(builtin::jobs().count(), 20);
  EXPECT_EQ(builtin::jobs().at(19), "Secret Agent");
  EXPECT_EQ(builtin::afterJobs().count(), 21);
  EXPECT_EQ(*cp1252::fromUtf8(builtin::afterJobs().at(20)), "but isn\x92t very good at it");
  EXPECT_EQ(builtin::prizes().toBytes(), "Prizes\r\n");
}
