// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an SVG picture to a PNG of a given size; the build uses it for the icon
// theme, the pictures drawn ahead and the screenshots. An output named *.rgb32 gets the
// bare pixel rows of an opaque picture instead, as QImage::Format_RGB32 holds them.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: svgrender IN.svg OUT.png|OUT.rgb32 WIDTH [HEIGHT]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "svgrender: cannot read %s\n", argv[1]);
    return 1;
  }
  const int width = std::atoi(argv[3]);
  const int height = argc == 5 ? std::atoi(argv[4]) : width;
  if (width <= 0 || height <= 0) return 2;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  // A picture that covers all of its area is kept without an alpha channel: a quarter
  // less to decode at start, and the window copies it instead of blending it.
  bool opaque = true;
  for (int row = 0; opaque && row < image.height(); ++row) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
    for (int col = 0; opaque && col < image.width(); ++col) opaque = qAlpha(line[col]) == 255;
  }
  if (opaque) image.convertTo(QImage::Format_RGB32);
  const QString out = QString::fromLocal8Bit(argv[2]);
  if (!out.endsWith(QLatin1String(".rgb32"))) return image.save(out) ? 0 : 1;
  if (!opaque) {
    std::fprintf(stderr, "svgrender: %s does not cover its whole area\n", argv[1]);
    return 1;
  }
  // Rows of four-byte pixels have no padding: the file is the image's bytes as they are.
  const auto* pixels = reinterpret_cast<const char*>(image.constBits());
  const qint64 size = image.sizeInBytes();
  QFile file(out);
  if (!file.open(QIODevice::WriteOnly) || file.write(pixels, size) != size || !file.flush()) {
    std::fprintf(stderr, "svgrender: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
