// SPDX-License-Identifier: GPL-3.0-or-later
// The title tune on a real synthesizer: FluidSynth is loaded only once the title
// window has been painted, and the tune the title screen started meanwhile then plays
// by itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cmath>
#include <memory>

#include "adapters/fluid_tune_player.h"
#include "adapters/qt_tunes.h"
#include "fakes/fakes.h"
#include "shell/ui/app.h"
#include "shell/ui/program.h"
#include "shell/ui/title_view.h"

namespace zndl {
namespace {

double rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// The program's wiring, with the sound rendered here instead of by a sound device.
struct MusicalApp {
  testing::TempDir dir;
  std::shared_ptr<FluidEngine> engine = [] {
    FluidEngineOptions options;
    options.withAudio = false;
    options.startNow = false;
    return FluidEngine::create(options);
  }();
  FluidTunePlayer titleTune{engine, tuneData};
  FluidTunePlayer quizTune{engine, tuneData};
  testing::FakeErrorBox errors;
  testing::FakeDesktop desktop;
  testing::FakeFilePicker picker;
  testing::ScriptedRandom random;
  std::unique_ptr<App> app;

  QWidget* title = nullptr;

  void start(const Presentation& presentation = {}) {
    app = std::make_unique<App>(
        Ports{titleTune, quizTune, errors, desktop, picker, random, fileio::systemWriteSteps()},
        presentation);
    app->setMuteOutput([engine = engine](bool muted) { engine->setMuted(muted); });
    // The one window shown at start.
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible()) title = widget;
    ASSERT_NE(title, nullptr);
    startMusicWhenShown(*app, engine);
  }
};

TEST(TitleMusic, FluidSynthLoadsAfterTheTitleIsShownAndTheTitleTuneThenPlays) {
  MusicalApp t;
  t.start();
  // The title screen has opened and started its tune; nothing of FluidSynth yet.
  EXPECT_TRUE(t.title->isVisible());
  EXPECT_EQ(t.titleTune.origin(), ":/assets/music/ZNDL.MID");
  EXPECT_TRUE(t.titleTune.isPlaying());
  EXPECT_FALSE(t.engine->started());

  ASSERT_TRUE(QTest::qWaitFor([&] { return t.engine->started(); }, 5000))
      << "the title was painted but the music was never started";
  ASSERT_TRUE(t.engine->waitForSoundFont()) << "no General MIDI SoundFont could be loaded";
  EXPECT_TRUE(t.titleTune.isPlaying());
  EXPECT_FALSE(t.quizTune.isPlaying());
  EXPECT_GT(rms(t.engine->render(2.0)), 0.01) << "the title tune is not heard";
  EXPECT_FALSE(t.titleTune.reachedEnd());
}

TEST(TitleMusic, MutedTheTitleTuneRendersSilentAndMOnTheTitleBringsItBack) {
  MusicalApp t;
  t.start(Presentation{stage::kFit, false, true});
  ASSERT_TRUE(t.engine->waitForSoundFont()) << "no General MIDI SoundFont could be loaded";
  EXPECT_TRUE(t.engine->muted()) << "muted from the start, as remembered";
  EXPECT_TRUE(t.titleTune.isPlaying());
  EXPECT_LT(rms(t.engine->render(2.0)), 1e-7) << "the muted title tune is heard";
  EXPECT_TRUE(t.titleTune.isPlaying()) << "muted, the tune still plays";

  t.title->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(t.title));
  QTest::keyClick(t.title, Qt::Key_M);
  EXPECT_FALSE(t.engine->muted());
  EXPECT_GT(rms(t.engine->render(2.0)), 0.01) << "unmuted, the title tune is not heard";
  QTest::keyClick(t.title, Qt::Key_M);
  EXPECT_TRUE(t.engine->muted());
  EXPECT_LT(rms(t.engine->render(1.0)), 1e-7);
}

TEST(TitleMusic, TheEngineIsStartedOnlyOnceAndOnlyAfterAPaint) {
  MusicalApp t;
  t.start();
  t.title->hide();
  QCoreApplication::processEvents();
  QTest::qWait(50);
  EXPECT_FALSE(t.engine->started()) << "started without the title having been painted";
  t.title->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.engine->started(); }, 5000));
  t.title->repaint();
  QCoreApplication::processEvents();
  EXPECT_TRUE(t.engine->waitForSoundFont());
}

TEST(TitleMusic, AfterFirstPaintCallsItsFunctionOnceAfterThePaint) {
  testing::TempDir dir;
  testing::FakeTunePlayer titleTune;
  testing::FakeTunePlayer quizTune;
  testing::FakeErrorBox errors;
  testing::FakeDesktop desktop;
  testing::FakeFilePicker picker;
  testing::ScriptedRandom random;
  App app(Ports{titleTune, quizTune, errors, desktop, picker, random, fileio::systemWriteSteps()});
  // The title, taken off the screen again before it could be painted.
  QWidget& window = app.titleView();
  window.hide();
  int calls = 0;
  bool painted = false;
  struct PaintSpy : QObject {
    bool* painted;
    explicit PaintSpy(bool* p) : painted(p) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) *painted = true;
      return false;
    }
  } spy(&painted);
  window.installEventFilter(&spy);
  app.afterTitlePainted([&](QWidget& shown) {
    EXPECT_EQ(&shown, &window);
    EXPECT_TRUE(painted) << "called before the paint";
    ++calls;
  });
  QTest::qWait(20);
  EXPECT_EQ(calls, 0) << "called for a window never shown";
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
  window.repaint();
  window.hide();
  window.show();
  QTest::qWait(50);
  EXPECT_EQ(calls, 1);
  // Asked for once the title has been painted, it is called at once.
  bool late = false;
  app.afterTitlePainted([&](QWidget& shown) {
    EXPECT_EQ(&shown, &window);
    late = true;
  });
  EXPECT_TRUE(late);
}

}  // namespace
}  // namespace zndl
