// SPDX-License-Identifier: GPL-3.0-or-later
// Any names.etc: reading it either sets the entries or reports the game's own error,
// and saving writes back what was read beyond the eighth line.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/fake_ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zndl::testing::TempDir dir;
  {
    std::ofstream out("names.etc", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  zndl::testing::FakePorts fakes;
  zndl::Game game(fakes.ports());
  const auto& errors = fakes.errors;
  game.start();
  const auto& t = game.screen<zndl::TitleScreen>();
  for (const zndl::ContestantEntry& entry : t.entries)
    if (entry.petType < 0 || entry.petType > 3) std::abort();
  if (errors.shown.size() > 2) std::abort();  // names.etc at most, then banter
  const zndl::TextList before =
      zndl::TextList::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
  game.guarded([&] { game.screen<zndl::TitleScreen>().onExit(); });
  zndl::TextList after;
  after.loadFromFile("names.etc");
  if (errors.shown.empty() || errors.shown.front().rfind("Cannot open", 0) != 0) {
    // The buffer was read: lines after the eighth come back unchanged.
    for (int i = 8; i < before.count(); ++i)
      if (after.at(i) != before.at(i)) std::abort();
  }
  return 0;
}
