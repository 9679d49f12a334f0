// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/quiz_font.h"

#include <QRect>
#include <QString>
#include <algorithm>

namespace zndl::editor {
namespace {

QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QFont quizFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(15);
  font.setBold(true);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QuizFontMeasurer::QuizFontMeasurer() : metrics_(quizFont()) {}

int QuizFontMeasurer::width(std::string_view utf8) const {
  return metrics_.boundingRect(QRect(0, 0, 100000, 1000), Qt::TextSingleLine, toQString(utf8))
      .width();
}

int QuizFontMeasurer::lineHeight() const {
  return std::max(1, metrics_.lineSpacing());
}

int QuizFontMeasurer::wrappedLineCount(std::string_view utf8, int width) const {
  const QRect box = metrics_.boundingRect(QRect(0, 0, width, 10000),
                                          Qt::TextWordWrap | Qt::AlignCenter, toQString(utf8));
  return (box.height() + lineHeight() / 2) / lineHeight();
}

}  // namespace zndl::editor
