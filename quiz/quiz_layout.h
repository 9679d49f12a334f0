// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Where the quiz screen writes a question and its answers, shared by the window that
// draws them, the engine that fills them and the group checker that measures them.
namespace zndl::quiz_layout {

// Where the question box and the answer lines stand on the 640 by 480 screen: the
// box's top left corner, the answer lines' left edge and the tops of lines A, B, C.
inline constexpr int kQuestionBoxLeft = 232;
inline constexpr int kQuestionBoxTop = 72;
inline constexpr int kAnswerLineLeft = 232;
inline constexpr int kAnswerLineTops[] = {144, 176, 208};

// The question box and each answer line, in pixels.
inline constexpr int kQuestionBoxWidth = 305;
inline constexpr int kQuestionBoxHeight = 73;
inline constexpr int kAnswerLineWidth = 305;
inline constexpr int kAnswerLineHeight = 33;

// Every answer line starts with its letter; the widest decides whether an answer fits.
inline constexpr std::string_view kAnswerPrefixes[] = {"A- ", "B- ", "C- "};

}  // namespace zndl::quiz_layout
