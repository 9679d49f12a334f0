// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures drawn at build time stand in for the SVG drawings at the first paint;
// they must show the same picture, reach the screen without being decoded or copied,
// and every other ratio is still drawn from the SVG.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <cstdlib>

#include "shell/ui/look.h"

namespace zndl {
namespace {

QImage fromSvg(const QString& name, QSize size, qreal ratio) {
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/assets/art/%1.svg").arg(name));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size * ratio)));
  return image;
}

// The mean difference per colour channel, 0 to 255.
double meanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  if (x.size() != y.size()) return 255;
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col)
      sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
             std::abs(qBlue(p[col]) - qBlue(q[col]));
  }
  return sum / (3.0 * x.width() * x.height());
}

TEST(Pictures, TheTitleIsDrawnAheadForRatiosOneAndTwoAndMatchesItsDrawing) {
  const QSize size(640, 480);
  for (qreal ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    const QImage ahead = look::drawnAhead(QStringLiteral("title"), size, ratio);
    ASSERT_FALSE(ahead.isNull());
    EXPECT_EQ(ahead.size(), size * ratio);
    const QPixmap shown = look::picture(QStringLiteral("title"), size, ratio);
    EXPECT_EQ(shown.size(), size * ratio);
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    EXPECT_EQ(shown.toImage().constBits(), ahead.constBits())
        << "the picture shown was decoded or copied, not taken from the program as it is";
    EXPECT_LT(meanDifference(ahead, fromSvg(QStringLiteral("title"), size, ratio)), 1.0)
        << "the copy drawn ahead differs from title.svg";
  }
}

// The pixels drawn ahead are the program's own and read-only: whoever draws on a copy of
// the title gets pixels of their own, and the title stays as it was.
TEST(Pictures, DrawingOnACopyOfTheTitleLeavesTheTitleAlone) {
  const QSize size(640, 480);
  const QImage before = look::drawnAhead(QStringLiteral("title"), size, 1.0).copy();
  QPixmap copy = look::picture(QStringLiteral("title"), size, 1.0);
  {
    QPainter painter(&copy);
    painter.fillRect(QRect(0, 0, 100, 100), Qt::red);
  }
  EXPECT_EQ(copy.toImage().pixelColor(10, 10), QColor(Qt::red));
  EXPECT_EQ(look::drawnAhead(QStringLiteral("title"), size, 1.0), before);
  EXPECT_EQ(look::picture(QStringLiteral("title"), size, 1.0).toImage().convertToFormat(before.format()),
            before)
      << "drawing on a copy changed the title the game shows";
}

TEST(Pictures, OtherRatiosAndSizesAreDrawnFromTheSvg) {
  EXPECT_TRUE(look::drawnAhead(QStringLiteral("title"), {640, 480}, 1.5).isNull());
  EXPECT_TRUE(look::drawnAhead(QStringLiteral("title"), {320, 240}, 1.0).isNull());
  const QPixmap crisp = look::picture(QStringLiteral("title"), QSize(640, 480), 1.5);
  EXPECT_EQ(crisp.size(), QSize(960, 720)) << "a ratio of 1.5 needs 1.5 times the pixels";
  EXPECT_EQ(crisp.devicePixelRatio(), 1.5);
  EXPECT_LT(meanDifference(crisp.toImage(), fromSvg(QStringLiteral("title"), {640, 480}, 1.5)), 1.0);

  // A picture with no copy drawn ahead is drawn from its SVG at ratios 1 and 2 too.
  EXPECT_TRUE(look::drawnAhead(QStringLiteral("quiz"), {640, 480}, 1.0).isNull());
  const QPixmap quiz = look::picture(QStringLiteral("quiz"), QSize(640, 480), 1.0);
  EXPECT_LT(meanDifference(quiz.toImage(), fromSvg(QStringLiteral("quiz"), {640, 480}, 1.0)), 1.0);
}

TEST(Pictures, TheWindowIconIsDrawnAheadAtItsFourSizes) {
  for (int size : {16, 32, 48, 128}) {
    SCOPED_TRACE(size);
    const QImage icon(QStringLiteral(":/rendered/icons/%1/zandoodle.png").arg(size));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(size, size));
    EXPECT_GT(icon.pixelColor(size / 2, size / 2).alpha(), 0) << "an empty icon";
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << "the round icon keeps its clear corners";
  }
}

}  // namespace
}  // namespace zndl
