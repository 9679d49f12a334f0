// SPDX-License-Identifier: GPL-3.0-or-later
// The music asleep while no tune plays, on real sound devices: ALSA writing what it is
// given to a file, and a private PulseAudio server on a null sink, recorded from the
// sink's monitor. And where the sound server is looked for.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fakes.h"
#include "fakes/midi_bytes.h"
#include "adapters/fluid_soundfont.h"
#include "adapters/fluid_tune_player.h"
#include "adapters/qt_tunes.h"

extern char** environ;

namespace zndl {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::kQuarter;
using testing::midiFile;
using testing::TempDir;
using testing::writeFile;

// Sets (or, with nothing, unsets) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// The loudest of the 16-bit samples in `path` from byte `from` on.
int loudestFrom(const fs::path& path, std::uintmax_t from = 0) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  int top = 0;
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), sizeof sample))
    top = std::max(top, std::abs(int{sample}));
  return top;
}

std::uintmax_t sizeOf(const fs::path& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : size;
}

constexpr int kHeard = 300;  // about -40 dBFS in 16 bits

// A one-second chord, then half a second of rest.
std::string chord() {
  return midiFile(
      {{48, 0, 2 * kQuarter, 110}, {60, 0, 2 * kQuarter, 110}, {67, 0, 2 * kQuarter, 110}},
      3 * kQuarter);
}

// ---- Where the sound server is looked for --------------------------------------------

// A listening Unix socket at `path`, as a sound server leaves one.
class Socket {
 public:
  explicit Socket(const fs::path& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    fs::create_directories(path.parent_path());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
  }
  ~Socket() { ::close(fd_); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

 private:
  int fd_;
};

TEST(SoundServer, IsFoundWhereLibpulseLooksForIt) {
  TempDir dir;
  const fs::path runtime = dir.path() / "runtime";
  const fs::path xdg = dir.path() / "xdg";
  ScopedEnv driver("ZNDL_AUDIO_DRIVER", std::nullopt);
  ScopedEnv server("PULSE_SERVER", "tcp:sound.example:4713");
  ScopedEnv pulseRuntime("PULSE_RUNTIME_PATH", runtime.string());
  ScopedEnv xdgRuntime("XDG_RUNTIME_DIR", xdg.string());
  // The machine's own system-wide server, if it has one, is found last of all.
  const bool systemServer = fs::is_socket("/run/pulse/native");

  EXPECT_EQ(fluid::pulseServer(), "tcp:sound.example:4713") << "$PULSE_SERVER comes first";
  auto outputs = fluid::soundOutputs();
  ASSERT_FALSE(outputs.empty());
  EXPECT_EQ(outputs[0].kind, fluid::SoundOutput::Kind::PulseAudio);
  EXPECT_EQ(outputs[0].server, "tcp:sound.example:4713");

  unsetenv("PULSE_SERVER");
  Socket inXdg(xdg / "pulse" / "native");
  if (!systemServer) {
    EXPECT_EQ(fluid::pulseServer(), "") << "$PULSE_RUNTIME_PATH replaces $XDG_RUNTIME_DIR";
  }
  Socket inRuntime(runtime / "native");
  EXPECT_EQ(fluid::pulseServer(), "unix:" + (runtime / "native").string());

  unsetenv("PULSE_RUNTIME_PATH");
  EXPECT_EQ(fluid::pulseServer(), "unix:" + (xdg / "pulse" / "native").string());

  // A file that is not a socket, or no runtime folder at all, is no server.
  fs::create_directories(dir.path() / "stale" / "pulse");
  writeFile((dir.path() / "stale" / "pulse" / "native").string(), "");
  setenv("XDG_RUNTIME_DIR", (dir.path() / "stale").c_str(), 1);
  if (!systemServer) {
    EXPECT_EQ(fluid::pulseServer(), "");
    for (const auto& output : fluid::soundOutputs())
      EXPECT_NE(output.kind, fluid::SoundOutput::Kind::PulseAudio);
  }
  unsetenv("XDG_RUNTIME_DIR");
  if (!systemServer) {
    EXPECT_EQ(fluid::pulseServer(), "");
  }
}

TEST(SoundServer, ZndlAudioDriverNamesTheOneWayToTry) {
  ScopedEnv server("PULSE_SERVER", "unix:/nowhere/native");
  {
    ScopedEnv driver("ZNDL_AUDIO_DRIVER", "alsa");
    const auto outputs = fluid::soundOutputs();
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].kind, fluid::SoundOutput::Kind::FluidDriver);
    EXPECT_EQ(outputs[0].driver, "alsa");
  }
  {
    ScopedEnv driver("ZNDL_AUDIO_DRIVER", "pulseaudio");
    const auto outputs = fluid::soundOutputs();
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].kind, fluid::SoundOutput::Kind::PulseAudio);
    EXPECT_EQ(outputs[0].server, "unix:/nowhere/native");
  }
}

// ---- Asleep on ALSA ----------------------------------------------------------------------

// ALSA writing what it plays to a file, as 16-bit samples, into a device that takes
// them as fast as they come: tunes run through in a fraction of their length. Each time
// the stream opens, ALSA adds to the file (through cat: its own file output would start
// the file afresh), and by the time the stream has closed, all it took is in the file.
struct AlsaTap {
  TempDir dir;
  fs::path heard = dir.path() / "heard.raw";
  ScopedEnv driver{"ZNDL_AUDIO_DRIVER", "alsa"};
  ScopedEnv config{"ALSA_CONFIG_PATH", (dir.path() / "asound.conf").string()};
  std::shared_ptr<FluidEngine> engine;

  AlsaTap() {
    writeFile("asound.conf",
              "pcm.tap { type file slave { pcm { type null } } file \"|cat >> '" + heard.string() +
                  "'\" format \"raw\" }\n"
                  "pcm.!default { type plug slave { pcm \"tap\" format S16_LE } }\n");
    engine = FluidEngine::create();
    engine->waitUntilSettled();
  }
};

TEST(MusicSleep, AfterATuneEndsTheStreamClosesAndTheNextTuneOpensItAndIsHeard) {
  AlsaTap t;
  ASSERT_TRUE(t.engine->hasAudioDevice());
  ASSERT_TRUE(waitFor([&] { return !t.engine->audioAwake(); }, 10s))
      << "with no tune playing, the stream must close";

  writeFile("first.mid", chord());
  FluidTunePlayer player(t.engine, tuneData);
  player.open("first.mid");
  player.play();
  ASSERT_TRUE(waitFor([&] { return sizeOf(t.heard) > 0; }, 10s)) << "the tune never reached ALSA";
  ASSERT_TRUE(waitFor([&] { return !player.isPlaying() && !t.engine->audioAwake(); }, 20s))
      << "the tune ended but the stream stayed open";
  EXPECT_TRUE(player.reachedEnd());
  const auto first = sizeOf(t.heard);
  EXPECT_GT(loudestFrom(t.heard), kHeard) << "the first tune was not heard";

  // Asleep, nothing is rendered or written at all.
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(sizeOf(t.heard), first);
  EXPECT_FALSE(t.engine->audioAwake());

  // The next tune opens the stream again and is heard, then it closes once more.
  writeFile("second.mid", chord());
  FluidTunePlayer next(t.engine, tuneData);
  next.open("second.mid");
  next.play();
  ASSERT_TRUE(waitFor([&] { return sizeOf(t.heard) > first; }, 10s)) << "the stream stayed closed";
  ASSERT_TRUE(waitFor([&] { return !next.isPlaying() && !t.engine->audioAwake(); }, 20s));
  EXPECT_GT(loudestFrom(t.heard, first), kHeard) << "the second tune was not heard";

  // Played again after the stream closed, a finished tune starts over.
  const auto second = sizeOf(t.heard);
  next.play();
  EXPECT_TRUE(next.isPlaying());
  ASSERT_TRUE(waitFor([&] { return !next.isPlaying() && !t.engine->audioAwake(); }, 20s));
  EXPECT_GT(loudestFrom(t.heard, second), kHeard) << "played again, the tune was not heard";
}

TEST(MusicSleep, MutedTheStreamStaysClosedAndTheTuneStillEndsOnTime) {
  AlsaTap t;
  ASSERT_TRUE(t.engine->hasAudioDevice());
  ASSERT_TRUE(waitFor([&] { return !t.engine->audioAwake(); }, 10s));
  const auto before = sizeOf(t.heard);

  writeFile("tune.mid", chord());  // 1.5 s
  FluidTunePlayer player(t.engine, tuneData);
  player.open("tune.mid");
  t.engine->setMuted(true);
  player.play();
  EXPECT_TRUE(player.isPlaying());
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(t.engine->audioAwake()) << "muted, a tune must not open the stream";
  EXPECT_EQ(sizeOf(t.heard), before) << "muted, nothing may be rendered";
  EXPECT_TRUE(player.isPlaying()) << "muted, the tune plays on";
  EXPECT_FALSE(player.reachedEnd());

  ASSERT_TRUE(waitFor([&] { return !player.isPlaying(); }, 5s)) << "the muted tune never ended";
  EXPECT_TRUE(player.reachedEnd());
  // Heard again after its end, there is nothing to hear: the stream stays closed.
  t.engine->setMuted(false);
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(t.engine->audioAwake());
  EXPECT_EQ(sizeOf(t.heard), before);

  // Played again, the tune starts over and is heard.
  player.play();
  ASSERT_TRUE(waitFor([&] { return sizeOf(t.heard) > before; }, 10s));
  ASSERT_TRUE(waitFor([&] { return !player.isPlaying() && !t.engine->audioAwake(); }, 20s));
  EXPECT_GT(loudestFrom(t.heard, before), kHeard);
}

// ---- Asleep on a PulseAudio server --------------------------------------------------------

std::optional<std::string> onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return std::nullopt;
}

pid_t spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

void end(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

// A PulseAudio server of the test's own on a null sink, its socket where a desktop has
// it ($XDG_RUNTIME_DIR/pulse/native), and a recorder on the sink's monitor.
struct PrivatePulse {
  TempDir dir;
  fs::path runtime = dir.path() / "runtime";
  fs::path heard = dir.path() / "monitor.raw";
  ScopedEnv xdg{"XDG_RUNTIME_DIR", runtime.string()};
  ScopedEnv home{"HOME", dir.path().string()};
  ScopedEnv server{"PULSE_SERVER", std::nullopt};
  ScopedEnv pulseRuntime{"PULSE_RUNTIME_PATH", std::nullopt};
  ScopedEnv driver{"ZNDL_AUDIO_DRIVER", std::nullopt};
  pid_t daemon = -1;
  pid_t recorder = -1;

  bool start() {
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    daemon = spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--use-pid-file=no", "--realtime=no", "--high-priority=no",
                    "--log-target=file:" + (dir.path() / "pulse.log").string(), "-L",
                    "module-null-sink sink_name=zndl_test", "-L",
                    "module-native-protocol-unix auth-anonymous=1"});
    if (daemon <= 0 || !waitFor([&] { return fs::is_socket(runtime / "pulse" / "native"); }, 10s))
      return false;
    const std::string command =
        "exec parec --device=zndl_test.monitor --raw --format=s16le --channels=1 "
        "--rate=44100 --latency-msec=20 > '" +
        heard.string() + "'";
    recorder = spawn({"sh", "-c", command});
    return recorder > 0 && waitFor([&] { return sizeOf(heard) > 0; }, 10s);
  }

  ~PrivatePulse() {
    end(recorder);
    end(daemon);
  }
};

// The context switches of this process's threads named `name`.
long switchesOf(const std::string& name) {
  long total = 0;
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string threadName;
    std::getline(comm, threadName);
    if (threadName != name) continue;
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
          line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        total += std::stol(line.substr(line.find(':') + 1));
    }
  }
  return total;
}

TEST(MusicSleep, OnAPulseAudioServerTheStreamPausesWhenSilentAndTheNextTuneIsHeard) {
  if (!onPath("pulseaudio") || !onPath("parec"))
    GTEST_SKIP() << "pulseaudio and parec are not installed";
  PrivatePulse pulse;
  ASSERT_TRUE(pulse.start()) << "the private PulseAudio server did not start";
  EXPECT_EQ(fluid::pulseServer(), "unix:" + (pulse.runtime / "pulse" / "native").string());

  auto engine = FluidEngine::create();
  engine->waitUntilSettled();
  ASSERT_TRUE(engine->hasAudioDevice()) << "the music did not reach the server";
  ASSERT_TRUE(waitFor([&] { return !engine->audioAwake(); }, 10s))
      << "silent, the stream must pause";

  // Paused, libpulse's thread waits on its socket: once the server has answered the
  // pause, it is not woken at all.
  std::this_thread::sleep_for(300ms);
  const long switches = switchesOf("threaded-ml");
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(switchesOf("threaded-ml"), switches) << "the paused stream's thread woke up";

  writeFile("tune.mid", chord());
  FluidTunePlayer player(engine, tuneData);
  player.open("tune.mid");
  const auto before = sizeOf(pulse.heard);
  player.play();
  EXPECT_TRUE(engine->audioAwake()) << "a tune wakes the stream at once";
  ASSERT_TRUE(waitFor([&] { return !player.isPlaying() && !engine->audioAwake(); }, 15s))
      << "the tune ended but the stream stayed awake";
  std::this_thread::sleep_for(200ms);  // the monitor's last block
  EXPECT_GT(loudestFrom(pulse.heard, before), kHeard) << "the tune never reached the sink";

  const auto between = sizeOf(pulse.heard);
  player.play();
  EXPECT_TRUE(engine->audioAwake());
  ASSERT_TRUE(waitFor([&] { return !player.isPlaying() && !engine->audioAwake(); }, 15s));
  std::this_thread::sleep_for(200ms);
  EXPECT_GT(loudestFrom(pulse.heard, between), kHeard) << "played again, the tune was not heard";
}

}  // namespace
}  // namespace zndl
