// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the sleeping music is heard again, measured at the sound server.
//
//   wake_probe MONITOR [TIMES]
//
// The game's own engine and tune player, on the desktop's sound server as the game finds
// it: each time the music has gone to sleep, the first countdown tune is started, and
// the time from the play call to its first sample that is not silence arriving from the
// sink's monitor MONITOR (recorded with parec in blocks of 10 ms) is printed, in
// milliseconds, one line each, then "median N". A sample is counted when parec hands
// it over, so the figure includes the monitor's own delay: it can only err long.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "adapters/fluid_tune_player.h"
#include "adapters/qt_tunes.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Above the last bit of 16-bit silence.
constexpr int kNotSilent = 8;

// Reads the monitor and notes when sound first arrives after arm().
class Monitor {
 public:
  explicit Monitor(const std::string& source) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string device = "--device=" + source;
    const char* argv[] = {
        "parec",        device.c_str(),      "--raw", "--format=s16le", "--channels=1",
        "--rate=44100", "--latency-msec=10", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    if (posix_spawnp(&recorder_, "parec", &actions, nullptr, const_cast<char**>(argv), environ) !=
        0)
      recorder_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    input_ = fds[0];
    if (recorder_ > 0) reader_ = std::thread([this] { read(); });
  }
  ~Monitor() {
    if (recorder_ > 0) {
      kill(recorder_, SIGTERM);
      waitpid(recorder_, nullptr, 0);
      reader_.join();  // parec's end closes the pipe
    }
    if (input_ >= 0) close(input_);
  }
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  bool running() const { return recorder_ > 0; }
  bool started() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [this] { return blocks_ > 0; });
  }
  void arm() {
    std::lock_guard lock(mutex_);
    heard_.reset();
    armed_ = true;
  }
  std::optional<Clock::time_point> heard(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return heard_.has_value(); });
    armed_ = false;
    return heard_;
  }

 private:
  void read() {
    std::vector<int16_t> block(441);
    for (;;) {
      const ssize_t got = ::read(input_, block.data(), block.size() * sizeof(int16_t));
      if (got <= 0) return;
      const auto at = Clock::now();
      const auto end = block.begin() + got / static_cast<ssize_t>(sizeof(int16_t));
      const bool loud =
          std::any_of(block.begin(), end, [](int16_t s) { return std::abs(int{s}) > kNotSilent; });
      std::lock_guard lock(mutex_);
      ++blocks_;
      if (armed_ && loud && !heard_) heard_ = at;
      changed_.notify_all();
    }
  }

  pid_t recorder_ = -1;
  int input_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  long blocks_ = 0;
  bool armed_ = false;
  std::optional<Clock::time_point> heard_;
};

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wake_probe MONITOR [TIMES]\n");
    return 2;
  }
  const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  Monitor monitor(argv[1]);
  if (!monitor.running() || !monitor.started()) {
    std::fprintf(stderr, "wake_probe: cannot record %s\n", argv[1]);
    return 2;
  }
  auto engine = zndl::FluidEngine::create();
  engine->waitUntilSettled();
  if (!engine->hasAudioDevice()) {
    std::fprintf(stderr, "wake_probe: the music has no sound device\n");
    return 2;
  }
  zndl::FluidTunePlayer tune(engine, zndl::tuneData);
  tune.open("5.MID");

  std::vector<double> wakes;
  for (int i = 0; i < times; ++i) {
    if (!waitUntil([&] { return !engine->audioAwake(); }, 10s)) {
      std::fprintf(stderr, "wake_probe: the music never went to sleep\n");
      return 1;
    }
    // Asleep a while, as between two questions.
    std::this_thread::sleep_for(300ms);
    monitor.arm();
    const auto played = Clock::now();
    tune.play();
    const auto heard = monitor.heard(2s);
    if (!heard) {
      std::fprintf(stderr, "wake_probe: the tune was not heard within 2 s\n");
      return 1;
    }
    wakes.push_back(std::chrono::duration<double, std::milli>(*heard - played).count());
    std::printf("%.1f\n", wakes.back());
    std::this_thread::sleep_for(300ms);
    tune.stop();
    tune.rewind();
  }
  std::sort(wakes.begin(), wakes.end());
  const size_t n = wakes.size();
  std::printf("median %.1f\n", n % 2 ? wakes[n / 2] : (wakes[n / 2 - 1] + wakes[n / 2]) / 2);
  return 0;
}
