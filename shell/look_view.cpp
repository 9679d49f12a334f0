// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include "shell/look.h"

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

QFont verdana(int pixelHeight, bool bold) { return face("DejaVu Sans", pixelHeight, bold); }
QFont arial(int pixelHeight, bool bold) { return face("Liberation Sans", pixelHeight, bold); }
QFont sansSerif(int pixelHeight, bool bold) { return face("DejaVu Sans", pixelHeight, bold); }

void installFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

QString renderedPictureName(const QString& name, QSize size, qreal devicePixelRatio) {
  return QStringLiteral(":/rendered/art/%1-%2x%3@%4.png")
      .arg(name)
      .arg(size.width())
      .arg(size.height())
      .arg(devicePixelRatio);
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
  if (devicePixelRatio == 1.0 || devicePixelRatio == 2.0) {
    const QString ahead = renderedPictureName(name, size, devicePixelRatio);
    if (QFile::exists(ahead)) {
      QPixmap pixmap(ahead);
      if (pixmap.size() == size * devicePixelRatio) {
        pixmap.setDevicePixelRatio(devicePixelRatio);
        cache.insert(key, pixmap);
        return pixmap;
      }
    }
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
