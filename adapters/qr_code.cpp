// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace zndl {

QrCode qrCodeFor(const std::string& text) {
  const std::unique_ptr<QRcode, decltype(&QRcode_free)> coded(
      QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M), &QRcode_free);
  QrCode code;
  if (!coded || coded->width <= 0) return code;
  code.size = coded->width;
  code.modules.resize(static_cast<std::size_t>(code.size * code.size));
  for (std::size_t i = 0; i < code.modules.size(); ++i) code.modules[i] = coded->data[i] & 1;
  return code;
}

}  // namespace zndl
