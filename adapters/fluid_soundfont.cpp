// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/fluid_soundfont.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace zndl::fluid {
namespace {

// Where Debian's General MIDI SoundFonts are found, the system's choice first.
constexpr const char* kCandidates[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2"};

bool isFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool isSocket(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_socket(path, ec);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string findSoundFont(const std::string& requested) {
  if (!requested.empty()) return requested;
  if (const char* env = std::getenv("ZNDL_SOUNDFONT"); env != nullptr && *env != '\0') return env;
  for (const char* candidate : kCandidates)
    if (isFile(candidate)) return candidate;
  return {};
}

std::vector<std::string> installedSoundFonts() {
  std::vector<std::string> fonts;
  for (const char* candidate : kCandidates) {
    if (!isFile(candidate)) continue;
    std::error_code ec;
    const std::string real = std::filesystem::canonical(candidate, ec).string();
    if (!ec && std::find(fonts.begin(), fonts.end(), real) == fonts.end()) fonts.push_back(real);
  }
  std::sort(fonts.begin(), fonts.end());
  return fonts;
}

double gainFor(const std::string& fontPath) {
  std::error_code ec;
  const auto real = std::filesystem::canonical(fontPath, ec).filename().string();
  if (real == "TimGM6mb.sf2") return 0.75;
  if (real == "FluidR3_GM.sf2") return 0.5;
  return 0.6;
}

std::string pulseServer() {
  if (std::string server = environment("PULSE_SERVER"); !server.empty()) return server;
  // libpulse's own runtime folder: $PULSE_RUNTIME_PATH replaces $XDG_RUNTIME_DIR/pulse.
  std::filesystem::path runtime = environment("PULSE_RUNTIME_PATH");
  if (runtime.empty()) {
    if (const std::string xdg = environment("XDG_RUNTIME_DIR"); !xdg.empty())
      runtime = std::filesystem::path(xdg) / "pulse";
  }
  for (const auto& socket : {runtime.empty() ? std::filesystem::path() : runtime / "native",
                             std::filesystem::path("/run/pulse/native")}) {
    if (!socket.empty() && isSocket(socket)) return "unix:" + socket.string();
  }
  return {};
}

std::vector<SoundOutput> soundOutputs() {
  using Kind = SoundOutput::Kind;
  if (const std::string chosen = environment("ZNDL_AUDIO_DRIVER"); !chosen.empty()) {
    if (chosen == "pulseaudio") return {{Kind::PulseAudio, chosen, pulseServer()}};
    return {{Kind::FluidDriver, chosen, {}}};
  }
  std::vector<SoundOutput> outputs;
  if (std::string server = pulseServer(); !server.empty())
    outputs.push_back({Kind::PulseAudio, "pulseaudio", std::move(server)});
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/snd", ec))
    outputs.push_back({Kind::FluidDriver, "alsa", {}});
  return outputs;
}

}  // namespace zndl::fluid
