// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <string_view>

#include "checker/group_check.h"

// The quiz screen's text as the editor measures and previews it: Verdana bold at 15
// pixels, drawn with DejaVu Sans Bold, measured the way the screen's labels lay it out.
namespace zndl::editor {

QFont quizFont();

class QuizFontMeasurer final : public check::TextMeasurer {
 public:
  QuizFontMeasurer();
  int width(std::string_view utf8) const override;
  int lineHeight() const override;
  int wrappedLineCount(std::string_view utf8, int width) const override;

 private:
  QFontMetrics metrics_;
};

}  // namespace zndl::editor
