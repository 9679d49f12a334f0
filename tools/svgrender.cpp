// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an SVG picture to a PNG of a given size; the build uses it for the icon
// theme and the screenshots.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: svgrender IN.svg OUT.png WIDTH [HEIGHT]\n");
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
  return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
