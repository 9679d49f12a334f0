// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fakes.h"
#include "fakes/midi_bytes.h"
#include "platform/error.h"
#include "adapters/fluid_soundfont.h"
#include "adapters/fluid_tune_player.h"
#include "adapters/qt_tunes.h"

namespace zndl {
namespace {

using testing::kQuarter;
using testing::midiFile;
using testing::TempDir;
using testing::writeFile;

// Four piano notes, a quarter each: two seconds of music.
std::string arpeggio() {
  return midiFile({{60, 0, kQuarter},
                   {64, kQuarter, kQuarter},
                   {67, 2 * kQuarter, kQuarter},
                   {72, 3 * kQuarter, kQuarter}},
                  4 * kQuarter);
}

// One loud chord in the first quarter, then three quarters of rest.
std::string chordThenRest() {
  return midiFile({{48, 0, kQuarter, 120}, {60, 0, kQuarter, 120}, {67, 0, kQuarter, 120}},
                  4 * kQuarter);
}

// Two seconds of nothing at all.
std::string silence() {
  return midiFile({}, 4 * kQuarter);
}

// ---- Measuring what was rendered -------------------------------------------------------

double rms(const std::vector<float>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

double peak(const std::vector<float>& samples) {
  double top = 0;
  for (float s : samples) top = std::max(top, static_cast<double>(std::fabs(s)));
  return top;
}

double dbfs(double level) {
  return 20 * std::log10(std::max(level, 1e-12));
}

constexpr double kAudible = 0.01;   // -40 dBFS
constexpr double kSilent = 0.0005;  // -66 dBFS

constexpr double kStep = 0.01;

// Renders until every event of the tune has been played (at most `limit` seconds);
// returns the time that took, in seconds, and collects the samples.
double renderToEnd(FluidEngine& engine, const FluidTunePlayer& player, double limit,
                   std::vector<float>* samples = nullptr) {
  double elapsed = 0;
  while (!player.reachedEnd() && elapsed < limit) {
    auto block = engine.render(kStep);
    if (samples != nullptr) samples->insert(samples->end(), block.begin(), block.end());
    elapsed += kStep;
  }
  return elapsed;
}

// Renders until the player has finished, its last notes included.
double renderUntilDone(FluidEngine& engine, const FluidTunePlayer& player, double limit,
                       std::vector<float>* samples = nullptr) {
  double elapsed = 0;
  while (player.isPlaying() && elapsed < limit) {
    auto block = engine.render(kStep);
    if (samples != nullptr) samples->insert(samples->end(), block.begin(), block.end());
    elapsed += kStep;
  }
  return elapsed;
}

// The player's tests run once with each General MIDI SoundFont installed: they differ
// in loudness and in how long their notes ring on.
std::vector<std::string> fontsToTest() {
  auto fonts = fluid::installedSoundFonts();
  if (fonts.empty()) fonts.push_back("");  // SetUp() then says what is missing
  return fonts;
}

std::string fontTestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = std::filesystem::path(info.param).stem().string();
  std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
  return name.empty() ? "NoSoundFont" : name;
}

class TunePlayerTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    engine = FluidEngine::create(GetParam(), false);
    ASSERT_TRUE(engine->waitForSoundFont())
        << "no General MIDI SoundFont could be loaded from '" << engine->soundFontPath()
        << "' (Debian's timgm6mb-soundfont provides one)";
  }

  TempDir dir;
  std::shared_ptr<FluidEngine> engine;
};

// ---- The player --------------------------------------------------------------------------

TEST_P(TunePlayerTest, PlaysAudibleNotesAndStopSilencesThem) {
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  EXPECT_TRUE(player.isOpen());
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.3)), kSilent) << "opening alone must not start the tune";

  player.play();
  EXPECT_TRUE(player.isPlaying());
  EXPECT_GT(rms(engine->render(0.5)), kAudible);

  player.stop();
  EXPECT_FALSE(player.isPlaying());
  engine->render(0.3);  // the notes' release
  EXPECT_LT(rms(engine->render(0.5)), kSilent);
  EXPECT_TRUE(player.isOpen());
}

TEST_P(TunePlayerTest, StopThenPlayGoesOnFromWhereItStopped) {
  writeFile("tune.mid", chordThenRest());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible);
  engine->render(0.8);  // into the rest
  player.stop();
  player.play();
  EXPECT_TRUE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.4)), kSilent) << "play must not start the tune over";
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 0.4, 0.05) << "the tune lasts 2 s";
}

TEST_P(TunePlayerTest, RewindGoesBackToTheStartWithoutPlaying) {
  writeFile("tune.mid", chordThenRest());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  engine->render(1.2);
  EXPECT_LT(rms(engine->render(0.3)), kSilent) << "the tune rests after its first chord";

  player.rewind();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.5)), kSilent);
  player.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible) << "the opening chord again";
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 1.6, 0.05);

  // Stopped mid-chord and rewound: the chord is cut off, and comes back on play. What
  // is left is the reverb's tail, which takes longer to die away with some SoundFonts
  // (FluidR3_GM sends more to it): 0.6 s on, the uncut chord would still ring at over
  // -40 dBFS, and the cut one is gone.
  player.rewind();
  player.play();
  engine->render(0.2);
  player.stop();
  player.rewind();
  engine->render(0.6);
  EXPECT_LT(rms(engine->render(0.3)), kSilent);
  player.play();
  EXPECT_GT(rms(engine->render(0.3)), kAudible);
}

TEST_P(TunePlayerTest, PlaysOnceThroughAndStartsOverWhenPlayedAgain) {
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 2.0, 0.05);
  EXPECT_LT(renderUntilDone(*engine, player, 10), 10) << "still playing long after the end";
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(1.0)), kSilent) << "the tune must not repeat by itself";

  player.play();
  EXPECT_TRUE(player.isPlaying());
  EXPECT_GT(rms(engine->render(0.4)), kAudible) << "played again from the start";
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 1.6, 0.05);
}

TEST_P(TunePlayerTest, AMutedTuneIsSilentYetPlaysOnAndEndsOnTime) {
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  engine->setMuted(true);
  EXPECT_TRUE(engine->muted());
  player.play();
  std::vector<float> muted;
  EXPECT_NEAR(renderToEnd(*engine, player, 5, &muted), 2.0, 0.05)
      << "muted, the tune takes as long as ever";
  EXPECT_EQ(peak(muted), 0.0) << "not a sound while muted";
  EXPECT_TRUE(player.reachedEnd());
  std::vector<float> release;
  EXPECT_LT(renderUntilDone(*engine, player, 10, &release), 10);
  EXPECT_EQ(peak(release), 0.0);

  // Heard again at once, and silenced again at once, the tune playing on throughout.
  player.play();
  engine->setMuted(false);
  EXPECT_FALSE(engine->muted());
  EXPECT_GT(rms(engine->render(0.4)), kAudible);
  engine->setMuted(true);
  EXPECT_EQ(peak(engine->render(0.3)), 0.0);
  EXPECT_TRUE(player.isPlaying());
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 1.6 - 0.3, 0.05);
}

TEST_P(TunePlayerTest, CloseStopsTheTuneAndPlayThenDoesNothing) {
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible);

  player.close();
  EXPECT_FALSE(player.isOpen());
  EXPECT_EQ(player.origin(), "");
  engine->render(0.3);
  EXPECT_LT(rms(engine->render(0.3)), kSilent);

  player.play();
  player.rewind();
  player.play();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.5)), kSilent);
}

TEST_P(TunePlayerTest, StopRewindCloseAndPlayWithNothingOpenDoNothing) {
  FluidTunePlayer player(engine, tuneData);
  EXPECT_NO_THROW(player.stop());
  EXPECT_NO_THROW(player.rewind());
  EXPECT_NO_THROW(player.close());
  EXPECT_NO_THROW(player.play());
  EXPECT_FALSE(player.isOpen());
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.3)), kSilent);

  // Opened but never started: stop and rewind leave it quiet and ready.
  writeFile("tune.mid", arpeggio());
  player.open("tune.mid");
  player.stop();
  player.rewind();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.3)), kSilent);
  player.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible);
}

TEST_P(TunePlayerTest, OpeningAnotherTuneStopsTheOneThatPlays) {
  writeFile("a.mid", arpeggio());
  writeFile("b.mid", chordThenRest());
  FluidTunePlayer player(engine, tuneData);
  player.open("a.mid");
  player.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible);

  player.open("b.mid");
  EXPECT_EQ(player.origin(), "b.mid");
  EXPECT_FALSE(player.isPlaying());
  engine->render(0.3);
  EXPECT_LT(rms(engine->render(0.3)), kSilent);
  player.play();
  EXPECT_GT(rms(engine->render(0.3)), kAudible);
}

TEST_P(TunePlayerTest, MissingTuneFailsToOpenWithItsName) {
  FluidTunePlayer player(engine, tuneData);
  writeFile("tune.mid", arpeggio());
  player.open("tune.mid");
  player.play();
  engine->render(0.2);

  try {
    player.open("NOWHERE.MID");
    FAIL() << "a missing tune opened";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file NOWHERE.MID");
  }
  EXPECT_FALSE(player.isOpen()) << "a failed open leaves nothing open";
  engine->render(0.3);
  EXPECT_LT(rms(engine->render(0.3)), kSilent) << "the tune that was playing stopped";

  // Only a bare name falls back on the built-in tunes; a path means that file.
  try {
    player.open("music/ZNDL.MID");
    FAIL() << "a missing path opened";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file music/ZNDL.MID");
  }
  EXPECT_THROW(player.open(""), Error);
}

TEST_P(TunePlayerTest, FilesThatAreNotMidiFailToOpen) {
  const std::string good = arpeggio();
  std::string smpte = good;
  smpte[12] = static_cast<char>(0xE7);  // -25 frames a second
  std::string longHeader = good;
  longHeader[7] = 7;
  std::string noStatus = good;
  noStatus[23] = 0x40;  // the track's first event loses its status byte
  std::string badData = good;
  badData[good.size() - 6] = static_cast<char>(0x90);  // a data byte with the top bit set
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"hello.mid", "hello"},
      {"empty.mid", ""},
      {"header.mid", good.substr(0, 14)},
      {"cut.mid", good.substr(0, good.size() - 3)},
      {"smpte.mid", smpte},
      {"long.mid", longHeader},
      {"status.mid", noStatus},
      {"data.mid", badData},
      {"riff.mid", "RIFF" + good.substr(4)},
  };
  FluidTunePlayer player(engine, tuneData);
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    writeFile(name, bytes);
    EXPECT_FALSE(readMidiSummary(bytes).has_value());
    try {
      player.open(name);
      ADD_FAILURE() << "opened";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), name + " is not a MIDI file");
    }
    EXPECT_FALSE(player.isOpen());
  }
  ASSERT_TRUE(readMidiSummary(good).has_value());
  EXPECT_EQ(readMidiSummary(good)->channels, std::vector<int>{0});
  EXPECT_NEAR(readMidiSummary(good)->seconds, 2.0, 1e-9);
}

TEST_P(TunePlayerTest, LocalFileWinsOverTheBuiltInTune) {
  FluidTunePlayer player(engine, tuneData);
  writeFile("ZNDL.MID", silence());
  player.open("ZNDL.MID");
  EXPECT_EQ(player.origin(), "ZNDL.MID");
  player.play();
  EXPECT_LT(rms(engine->render(1.0)), kSilent);
  player.close();

  std::filesystem::remove("ZNDL.MID");
  player.open("ZNDL.MID");
  EXPECT_EQ(player.origin(), ":/assets/music/ZNDL.MID");
  player.play();
  EXPECT_GT(rms(engine->render(2.0)), kAudible);
}

TEST_P(TunePlayerTest, TwoPlayersShareTheSynthesizer) {
  writeFile("title.mid", arpeggio());
  writeFile("quiz.mid", chordThenRest());
  FluidTunePlayer title(engine, tuneData);
  FluidTunePlayer quiz(engine, tuneData);
  title.open("title.mid");
  title.play();
  EXPECT_GT(rms(engine->render(0.4)), kAudible);
  quiz.open("quiz.mid");
  title.stop();
  title.close();
  engine->render(0.3);
  EXPECT_LT(rms(engine->render(0.3)), kSilent);
  quiz.play();
  EXPECT_GT(rms(engine->render(0.3)), kAudible);
  EXPECT_FALSE(title.isOpen());
}

// The audio thread renders while the UI thread opens, starts, stops and closes tunes.
TEST_P(TunePlayerTest, PlayersCanBeDrivenWhileAnotherThreadRenders) {
  writeFile("a.mid", arpeggio());
  writeFile("b.mid", chordThenRest());
  std::atomic<bool> done{false};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    while (!done) {
      engine->render(0.003);
      ++blocks;
    }
  });
  {
    FluidTunePlayer one(engine, tuneData);
    FluidTunePlayer two(engine, tuneData);
    for (int i = 0; i < 150; ++i) {
      one.open(i % 2 ? "a.mid" : "b.mid");
      one.play();
      two.open("b.mid");
      std::this_thread::yield();
      one.stop();
      two.play();
      one.rewind();
      two.rewind();
      one.play();
      two.close();
      if (i % 3 == 0) one.close();
    }
  }
  done = true;
  audio.join();
  EXPECT_GT(blocks.load(), 0);
}

// The first window opens and starts the title tune while the SoundFont still loads.
TEST(FluidEngine, TunesStartedWhileTheSoundFontLoadsPlayOnceItIsIn) {
  TempDir dir;
  writeFile("a.mid", arpeggio());
  writeFile("b.mid", chordThenRest());
  auto engine = FluidEngine::create({}, false);
  FluidTunePlayer started(engine, tuneData), stopped(engine, tuneData), closed(engine, tuneData);
  started.open("a.mid");
  started.play();
  stopped.open("b.mid");
  stopped.play();
  stopped.stop();
  closed.open("b.mid");
  closed.play();
  closed.close();
  EXPECT_TRUE(started.isPlaying());
  EXPECT_FALSE(stopped.isPlaying());
  EXPECT_FALSE(closed.isOpen());
  if (!engine->isLoading()) GTEST_SKIP() << "the SoundFont was in before the tunes were started";

  ASSERT_TRUE(engine->waitForSoundFont());
  EXPECT_TRUE(started.isPlaying());
  EXPECT_EQ(started.origin(), "a.mid");
  EXPECT_GT(rms(engine->render(0.4)), kAudible);
  EXPECT_NEAR(renderToEnd(*engine, started, 5), 1.6, 0.05) << "played from its start";
  EXPECT_FALSE(stopped.isPlaying());
  EXPECT_TRUE(stopped.isOpen());
  stopped.play();
  EXPECT_GT(rms(engine->render(0.3)), kAudible);
}

// ---- The engine ------------------------------------------------------------------------------

TEST(FluidEngine, WithoutASoundFontTunesStillOpenAndPlaySilently) {
  TempDir dir;
  auto engine = FluidEngine::create("/nonexistent/none.sf2", false);
  EXPECT_FALSE(engine->waitForSoundFont());
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  EXPECT_NO_THROW(player.open("tune.mid"));
  player.play();
  EXPECT_TRUE(player.isPlaying());
  EXPECT_LT(rms(engine->render(0.5)), 1e-6);
  EXPECT_NO_THROW(player.stop());
  EXPECT_NO_THROW(player.close());
}

TEST(FluidEngine, WithoutFluidSynthTunesStillOpenAndPlaySilently) {
  TempDir dir;
  FluidEngineOptions options;
  options.withAudio = false;
  options.library = "libzndl-no-such-fluidsynth.so.3";
  auto engine = FluidEngine::create(options);
  EXPECT_FALSE(engine->waitForSoundFont());
  EXPECT_FALSE(engine->isLoading());
  writeFile("tune.mid", arpeggio());
  FluidTunePlayer player(engine, tuneData);
  EXPECT_NO_THROW(player.open("tune.mid"));
  EXPECT_EQ(player.origin(), "tune.mid");
  player.play();
  EXPECT_TRUE(player.isPlaying());
  EXPECT_FALSE(player.reachedEnd());
  const auto samples = engine->render(0.5);
  EXPECT_EQ(samples.size(), 2u * 22050);
  EXPECT_EQ(peak(samples), 0.0);
  EXPECT_NO_THROW(player.stop());
  EXPECT_NO_THROW(player.rewind());
  EXPECT_NO_THROW(player.close());
  engine->waitUntilSettled();
  EXPECT_FALSE(engine->hasAudioDevice());
}

// The game opens its first window before FluidSynth is loaded at all.
TEST(FluidEngine, NothingIsLoadedUntilStartAndATuneStartedBeforePlaysAfter) {
  TempDir dir;
  writeFile("tune.mid", chordThenRest());
  FluidEngineOptions options;
  options.withAudio = false;
  options.startNow = false;
  auto engine = FluidEngine::create(options);
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(engine->started());
  EXPECT_TRUE(engine->isLoading()) << "loaded without being started";
  EXPECT_TRUE(player.isPlaying());

  engine->start();
  engine->start();  // a second start changes nothing
  EXPECT_TRUE(engine->started());
  ASSERT_TRUE(engine->waitForSoundFont());
  EXPECT_FALSE(engine->isLoading());
  EXPECT_TRUE(player.isPlaying());
  EXPECT_GT(rms(engine->render(0.3)), kAudible) << "the chord the tune opens with";
  EXPECT_NEAR(renderToEnd(*engine, player, 5), 1.7, 0.05);
}

TEST(FluidEngine, NoSoundDeviceIsNotAnError) {
  TempDir dir;
  writeFile("tune.mid", arpeggio());
  {
    auto engine = FluidEngine::create({}, false);
    engine->waitUntilSettled();
    EXPECT_FALSE(engine->hasAudioDevice());
  }
  // With a sound device asked for, whether one exists or not, nothing waits on it and
  // the players work the same.
  const auto start = std::chrono::steady_clock::now();
  auto engine = FluidEngine::create();
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  player.play();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  engine->waitUntilSettled();
  EXPECT_NO_THROW(player.stop());
  EXPECT_NO_THROW(player.rewind());
  EXPECT_NO_THROW(player.close());
}

// The sound device path for real: ALSA's null device stands in for a sound card. It
// takes blocks as fast as they come, so the audio thread runs the tune through in a
// fraction of its length while this thread drives the players.
TEST(FluidEngine, TheSoundDeviceRendersThePlayingTune) {
  TempDir dir;
  writeFile("tune.mid", arpeggio());
  writeFile("asound.conf", "pcm.!default { type null }\n");
  setenv("ZNDL_AUDIO_DRIVER", "alsa", 1);
  setenv("ALSA_CONFIG_PATH", (dir.path() / "asound.conf").c_str(), 1);
  auto engine = FluidEngine::create();
  FluidTunePlayer player(engine, tuneData), other(engine, tuneData);
  player.open("tune.mid");
  player.play();
  engine->waitUntilSettled();
  unsetenv("ZNDL_AUDIO_DRIVER");
  unsetenv("ALSA_CONFIG_PATH");
  ASSERT_TRUE(engine->hasAudioDevice());

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!player.reachedEnd() && std::chrono::steady_clock::now() < deadline) {
    other.open("tune.mid");
    other.play();
    other.stop();
    other.rewind();
    other.close();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(player.reachedEnd());
}

// ---- The tunes built into the game -----------------------------------------------------

TEST_P(TunePlayerTest, EveryBuiltInTuneOpensAndSounds) {
  for (const char* name : {"ZNDL.MID", "5.MID", "10.MID", "15.MID", "101.MID", "102.MID"}) {
    SCOPED_TRACE(name);
    FluidTunePlayer player(engine, tuneData);
    ASSERT_NO_THROW(player.open(name));
    EXPECT_EQ(player.origin(), std::string(":/assets/music/") + name);
    player.play();
    std::vector<float> samples;
    renderUntilDone(*engine, player, 120, &samples);
    EXPECT_TRUE(player.reachedEnd());
    EXPECT_FALSE(player.isPlaying());
    EXPECT_GT(rms(samples), kAudible);
    EXPECT_LT(peak(samples), 1.0) << "clipped";
  }
}

TEST_P(TunePlayerTest, CountdownTunesLastTheirSeconds) {
  for (int seconds : {5, 10, 15}) {
    const std::string name = std::to_string(seconds) + ".MID";
    SCOPED_TRACE(name);
    FluidTunePlayer player(engine, tuneData);
    player.open(name);
    player.play();
    EXPECT_NEAR(renderToEnd(*engine, player, 30), seconds, 0.5);
    auto summary = readMidiSummary(*tuneData(name));
    ASSERT_TRUE(summary.has_value());
    EXPECT_NEAR(summary->seconds, seconds, 0.5);
  }
}

TEST_P(TunePlayerTest, TitleTunePlaysAtANormalLevel) {
  FluidTunePlayer player(engine, tuneData);
  player.open("ZNDL.MID");
  player.play();
  std::vector<float> samples;
  renderToEnd(*engine, player, 120, &samples);
  const double level = dbfs(rms(samples));
  RecordProperty("title_rms_dbfs", std::to_string(level));
  EXPECT_GT(level, -24.0);
  EXPECT_LT(level, -10.0);
  EXPECT_LT(peak(samples), 1.0) << "clipped";
}

INSTANTIATE_TEST_SUITE_P(SoundFonts, TunePlayerTest, ::testing::ValuesIn(fontsToTest()),
                         fontTestName);

}  // namespace
}  // namespace zndl
