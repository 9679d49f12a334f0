// SPDX-License-Identifier: GPL-3.0-or-later
// The two seats: who holds them, a lost phone getting its seat back, a third pad
// turned away, the PC letting a seat go.
#include <gtest/gtest.h>

#include "pads/seats.h"

using namespace zndl;

namespace {

constexpr std::int64_t kSecond = 1000;

}  // namespace

TEST(Seats, TheFirstTwoPadsTakeTheSeatsInOrderAndAThirdIsTurnedAway) {
  Seats seats;
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::waiting);
  const auto one = seats.join(PadKind::phone, 1, "", 0, "token-one");
  const auto two = seats.join(PadKind::phone, 2, "", 0, "token-two");
  const auto three = seats.join(PadKind::phone, 3, "", 0, "token-three");
  EXPECT_EQ(one.seat, kFirstContestant);
  EXPECT_EQ(one.token, "token-one");
  EXPECT_FALSE(one.rejoined);
  EXPECT_EQ(two.seat, kSecondContestant);
  EXPECT_EQ(three.seat, std::nullopt);
  EXPECT_EQ(three.token, "");
  EXPECT_TRUE(seats.bothTaken());
  EXPECT_EQ(seats.seatOf(2), kSecondContestant);
  EXPECT_EQ(seats.seatOf(3), std::nullopt);
  // A guessed or stale token gets nobody's seat.
  EXPECT_EQ(seats.join(PadKind::phone, 4, "token-on", kSecond, "x").seat, std::nullopt);
  EXPECT_EQ(seats.join(PadKind::phone, 4, "token-one!", kSecond, "x").seat, std::nullopt);
}

TEST(Seats, ALostPhoneGetsItsSeatBackWithinTwoMinutesAndNotAfter) {
  Seats seats;
  seats.join(PadKind::phone, 1, "", 0, "token-one");
  seats.join(PadKind::phone, 2, "", 0, "token-two");
  seats.lost(1, 10 * kSecond);
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::reconnecting);
  EXPECT_EQ(seats.connectionOf(kFirstContestant), std::nullopt);
  // Nobody else takes a seat that waits for its phone.
  EXPECT_EQ(seats.join(PadKind::phone, 3, "", 20 * kSecond, "token-three").seat, std::nullopt);
  const auto back = seats.join(PadKind::phone, 5, "token-one", 129 * kSecond, "unused");
  EXPECT_EQ(back.seat, kFirstContestant);
  EXPECT_TRUE(back.rejoined);
  EXPECT_EQ(back.token, "token-one");
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::connected);
  EXPECT_EQ(seats.seatOf(5), kFirstContestant);

  seats.lost(5, 200 * kSecond);
  seats.expire(200 * kSecond + Seats::kPhoneGraceMs);
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::waiting);
  EXPECT_EQ(seats.join(PadKind::phone, 6, "token-one", 400 * kSecond, "token-six").token,
            "token-six")
      << "after the grace the old token is void; the free seat goes to whoever asks";
}

TEST(Seats, ATokenTakenBackLetsGoOfTheConnectionThatHeldIt) {
  Seats seats;
  seats.join(PadKind::phone, 1, "", 0, "token-one");
  // The page reloaded before the old connection was seen to go.
  const auto again = seats.join(PadKind::phone, 7, "token-one", kSecond, "x");
  EXPECT_EQ(again.seat, kFirstContestant);
  EXPECT_EQ(again.replaced, 1u) << "the old connection is let go, and its adapter told";
  EXPECT_EQ(seats.seatOf(1), std::nullopt);
  EXPECT_EQ(seats.seatOf(7), kFirstContestant);
  seats.lost(1, 2 * kSecond);  // the old one goes at last: the seat stays with the new
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::connected);
}

TEST(Seats, AControllerKeepsItsSeatWhileUnpluggedUntilThePcFreesIt) {
  Seats seats;
  seats.join(PadKind::controller, 11, "pad-guid", 0, "pad-guid");
  seats.lost(11, 0);
  seats.expire(24 * 3600 * kSecond);
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::reconnecting);
  EXPECT_EQ(seats.kind(kFirstContestant), PadKind::controller);
  // A phone never takes a controller's seat by its token, nor the other way round.
  EXPECT_EQ(seats.join(PadKind::phone, 12, "pad-guid", kSecond, "t").seat, kSecondContestant);
  EXPECT_EQ(seats.join(PadKind::controller, 13, "pad-guid", kSecond, "pad-guid").seat,
            kFirstContestant);
  seats.free(kFirstContestant);
  EXPECT_EQ(seats.state(kFirstContestant), Seats::State::waiting);
  EXPECT_EQ(seats.seatOf(13), std::nullopt);
}

TEST(Seats, SecretsCompareWholeWhateverTheirLength) {
  EXPECT_TRUE(sameSecret("0123456789abcdef", "0123456789abcdef"));
  EXPECT_FALSE(sameSecret("0123456789abcdef", "0123456789abcdee"));
  EXPECT_FALSE(sameSecret("0123456789abcdef", "0123456789abcde"));
  EXPECT_FALSE(sameSecret("0123456789abcde", "0123456789abcdef"));
  EXPECT_FALSE(sameSecret(std::string_view("ab\0c", 4), "ab"));
  EXPECT_FALSE(sameSecret("", "")) << "no secret is no secret";
}

#include "pads/rate_limit.h"

TEST(RateLimit, ABurstIsTakenAndThenTheSteadyRateOnly) {
  RateLimit limit(20, 40);
  int taken = 0;
  for (int i = 0; i < 100; ++i) taken += limit.take(0);
  EXPECT_EQ(taken, 40) << "a burst of forty at once";
  EXPECT_FALSE(limit.take(10));
  EXPECT_TRUE(limit.take(50)) << "one more turn every 50 ms";
  EXPECT_FALSE(limit.take(50));
  taken = 0;
  for (std::int64_t t = 60; t <= 10050; t += 10) taken += limit.take(t);
  EXPECT_NEAR(taken, 200, 2) << "twenty a second over ten seconds";
}
