// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// The narrow doors through which the game core reaches the outside world. The Qt and
// FluidSynth programs plug their adapters in; the tests plug in fakes.
namespace zndl {

// A MIDI tune player: open a tune by file name, play it once through, stop, rewind,
// close. Stop, rewind and close with nothing open do nothing. open() throws
// zndl::Error when the tune cannot be found or is not a MIDI file.
class TunePlayer {
 public:
  virtual ~TunePlayer() = default;
  virtual void open(const std::string& fileName) = 0;
  virtual void play() = 0;
  virtual void stop() = 0;
  virtual void rewind() = 0;
  virtual void close() = 0;
};

// The program's one error box. The text arrives complete (message and full stop).
class ErrorBox {
 public:
  virtual ~ErrorBox() = default;
  virtual void showError(const std::string& text) = 0;
};

// The desktop's "open" action and the clipboard.
class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual void openAddress(const std::string& address) = 0;
  virtual void copyText(const std::string& text) = 0;
};

// The platform's open-file dialog. Returns the chosen path, or nothing on cancel.
class FilePicker {
 public:
  virtual ~FilePicker() = default;
  virtual std::optional<std::string> pickFile(const std::string& offered) = 0;
};

// The process-wide random source: seeded once, then whole numbers 0 .. n-1.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void seedFromClock() = 0;
  // A whole number from 0 to n - 1 with equal chances; 0 when n is 1 or less.
  virtual int below(int n) = 0;
};

}  // namespace zndl
