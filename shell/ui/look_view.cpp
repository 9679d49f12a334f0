// SPDX-License-Identifier: GPL-3.0-or-later
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include "shell/ui/look.h"

namespace zndl::look {
namespace {

QFont face(const char* family, int pixelHeight, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QFont verdana(int pixelHeight, bool bold) {
  return face("DejaVu Sans", pixelHeight, bold);
}
QFont arial(int pixelHeight, bool bold) {
  return face("Liberation Sans", pixelHeight, bold);
}
QFont sansSerif(int pixelHeight, bool bold) {
  return face("DejaVu Sans", pixelHeight, bold);
}

void installFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

// The pixels of the pictures drawn ahead (cmake/pictures.cmake), as QImage::Format_RGB32
// holds them.
extern "C" const uchar zndl_title_1x[], zndl_title_1x_end[], zndl_title_2x[], zndl_title_2x_end[];

QImage drawnAhead(const QString& name, QSize size, qreal devicePixelRatio) {
  struct Pixels {
    const char* name;
    QSize size;
    qreal ratio;
    const uchar* begin;
    const uchar* end;
  };
  static const Pixels drawn[] = {
      {"title", {640, 480}, 1.0, zndl_title_1x, zndl_title_1x_end},
      {"title", {640, 480}, 2.0, zndl_title_2x, zndl_title_2x_end},
  };
  for (const Pixels& pixels : drawn) {
    if (name != QLatin1String(pixels.name) || size != pixels.size ||
        devicePixelRatio != pixels.ratio)
      continue;
    const QSize device = size * devicePixelRatio;
    const qsizetype line = qsizetype{device.width()} * 4;
    if (pixels.end - pixels.begin != line * device.height()) return {};
    // Read-only, shared with every pixmap made from it: nothing is decoded or copied.
    QImage image(pixels.begin, device.width(), device.height(), line, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
  }
  return {};
}

QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio) {
  static QHash<QString, QPixmap> cache;
  const QString key = QStringLiteral("%1@%2x%3@%4")
                          .arg(name)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(devicePixelRatio);
  if (const auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  // Drawn at build time for the usual ratios, where there is such a copy; drawing the
  // title from its SVG would hold up the first paint for several milliseconds.
  if (const QImage ahead = drawnAhead(name, size, devicePixelRatio); !ahead.isNull()) {
    const QPixmap pixmap = QPixmap::fromImage(ahead);
    cache.insert(key, pixmap);
    return pixmap;
  }
  QSvgRenderer renderer(QStringLiteral(":/assets/art/%1.svg").arg(name));
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  if (renderer.isValid()) {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  cache.insert(key, pixmap);
  return pixmap;
}

}  // namespace zndl::look
