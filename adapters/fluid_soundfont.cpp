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
    "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2"};

bool isFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
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

std::vector<std::string> audioDrivers() {
  if (const char* chosen = std::getenv("ZNDL_AUDIO_DRIVER"); chosen != nullptr && *chosen != '\0')
    return {chosen};
  std::vector<std::string> drivers;
  std::error_code ec;
  const char* server = std::getenv("PULSE_SERVER");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if ((server != nullptr && *server != '\0') ||
      (runtime != nullptr &&
       std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", ec)))
    drivers.push_back("pulseaudio");
  if (std::filesystem::is_directory("/dev/snd", ec)) drivers.push_back("alsa");
  return drivers;
}

}  // namespace zndl::fluid
