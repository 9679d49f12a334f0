// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace zndl {

// A QR code's modules, row by row: true is dark. Empty when the text cannot be coded.
struct QrCode {
  int size = 0;  // modules a side, without the quiet zone
  std::vector<bool> modules;
  bool dark(int x, int y) const { return modules[static_cast<std::size_t>(y * size + x)]; }
};

// The text as a QR code (libqrencode), with enough error correction to be read off a TV
// across a room.
QrCode qrCodeFor(const std::string& text);

}  // namespace zndl
