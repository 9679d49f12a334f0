// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/ports.h"
#include "platform/random.h"

namespace zndl::testing {

// Records what the game asks of a tune player. Names in `missing` fail to open.
class FakeTunePlayer : public TunePlayer {
 public:
  void open(const std::string& name) override {
    log.push_back("open " + name);
    if (missing.count(name)) {
      openName.reset();
      throw Error("Cannot open file " + name);
    }
    openName = name;
    playing = false;
  }
  void play() override {
    log.push_back("play");
    if (openName) playing = true;
  }
  void stop() override {
    log.push_back("stop");
    playing = false;
  }
  void rewind() override { log.push_back("rewind"); }
  void close() override {
    log.push_back("close");
    openName.reset();
    playing = false;
  }
  // The tunes started, in order.
  std::vector<std::string> played() const {
    std::vector<std::string> out;
    std::string last;
    for (const auto& entry : log) {
      if (entry.rfind("open ", 0) == 0) last = entry.substr(5);
      if (entry == "play") out.push_back(last);
    }
    return out;
  }

  std::vector<std::string> log;
  std::set<std::string> missing;
  std::optional<std::string> openName;
  bool playing = false;
};

class FakeErrorBox : public ErrorBox {
 public:
  void showError(const std::string& text) override {
    shown.push_back(text);
    // What the event loop of a real, modal box may run before OK.
    if (whileOpen && !open_) {
      open_ = true;
      whileOpen();
      open_ = false;
    }
  }
  std::vector<std::string> shown;
  std::function<void()> whileOpen;

 private:
  bool open_ = false;
};

class FakeDesktop : public Desktop {
 public:
  void openAddress(const std::string& address) override { opened.push_back(address); }
  void copyText(const std::string& text) override { clipboard = text; }
  std::vector<std::string> opened;
  std::string clipboard;
};

class FakeFilePicker : public FilePicker {
 public:
  std::optional<std::string> pickFile(const std::string& offered) override {
    offers.push_back(offered);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers;  // nullopt = cancel
  std::vector<std::string> offers;
};

// Gives the scripted values first (each must lie in the range asked for), then falls
// back to a fixed-seed generator. Records every range asked for.
class ScriptedRandom : public RandomSource {
 public:
  void seedFromClock() override { ++seeds; }
  int below(int n) override {
    asked.push_back(n);
    if (!script.empty()) {
      const int v = script.front();
      script.pop_front();
      if (n <= 1) return 0;
      if (v < 0 || v >= n) throw std::logic_error("scripted draw out of range");
      return v;
    }
    return fallback.below(n);
  }
  std::deque<int> script;
  std::vector<int> asked;
  int seeds = 0;
  ClockRandom fallback{12345};
};

// Plays back draw sequence number `sequence`, read as one digit per draw in that
// draw's own base: counting `sequence` up from 0 runs through every sequence of draws
// a run can take, each once.
class EveryDraw : public RandomSource {
 public:
  explicit EveryDraw(long long sequence) : rest_(sequence) {}
  void seedFromClock() override {}
  int below(int n) override {
    if (n <= 1) return 0;
    const int v = static_cast<int>(rest_ % n);
    rest_ /= n;
    return v;
  }

 private:
  long long rest_;
};

// A fresh working directory for one test; the old one comes back afterwards.
class TempDir {
 public:
  TempDir() : old_(std::filesystem::current_path()) {
    std::string templ = (std::filesystem::temp_directory_path() / "zndl-XXXXXX").string();
    path_ = ::mkdtemp(templ.data());
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

inline void writeFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace zndl::testing
