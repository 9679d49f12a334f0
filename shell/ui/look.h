// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The show's look in the windows: the free faces that stand in for the classic
// Windows fonts at the same pixel heights, and the pictures built into the program.
namespace zndl::look {

// Verdana and MS Sans Serif are drawn with DejaVu Sans, Arial with Liberation Sans.
QFont verdana(int pixelHeight, bool bold = true);
QFont arial(int pixelHeight, bool bold = true);
QFont sansSerif(int pixelHeight = 11, bool bold = false);

// Registers the family substitutions, so every widget that asks for the old names gets
// the free faces.
void installFontSubstitutes();

// The picture `name` (a file of assets/art without ".svg") drawn at `size` logical
// pixels for the given device pixel ratio; rendered once and cached.
QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio = 1.0);
// The copy of the picture drawn ahead, at build time, for this size and ratio: an image
// over the pixels the program carries, or a null image where the build draws none (see
// cmake/pictures.cmake).
QImage drawnAhead(const QString& name, QSize size, qreal devicePixelRatio);

inline const QColor kYellow{255, 255, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kLime{0, 255, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kAqua{0, 255, 255};

}  // namespace zndl::look
