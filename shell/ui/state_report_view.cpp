// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/state_report_view.h"

#include <QApplication>
#include <QSaveFile>
#include <QTimer>

#include "finale/finale.h"
#include "finale/tie_break.h"
#include "quiz/quiz_screen.h"
#include "shell/ui/app.h"
#include "shell/ui/screen_view.h"

namespace zndl {
namespace {

constexpr int kReportInterval = 50;  // ms

// Screens by their place in the app's list of windows.
constexpr const char* kScreenNames[] = {"title",    "quiz",     "introduction",
                                        "settings", "notice",   "finale",
                                        "tieBreak", "coinCall", "internetSites"};

QString windowName(App& app, const QWidget* window) {
  if (!window) return QStringLiteral("none");
  const auto& views = app.builtViews();
  for (std::size_t i = 0; i < views.size() && i < std::size(kScreenNames); ++i)
    if (views[i] == window) return QString::fromLatin1(kScreenNames[i]);
  return window->objectName().isEmpty() ? QStringLiteral("other") : window->objectName();
}

QString report(App& app) {
  QString out;
  const QWidget* focus = QApplication::focusWidget();
  out += QStringLiteral("focus=%1/%2\n")
             .arg(windowName(app, focus ? focus->window() : nullptr),
                  !focus                          ? QStringLiteral("none")
                  : focus == focus->window()      ? QStringLiteral("window")
                  : focus->objectName().isEmpty() ? QStringLiteral("unnamed")
                                                  : focus->objectName());
  out += QStringLiteral("active=%1\n").arg(windowName(app, QApplication::activeWindow()));
  const auto& views = app.builtViews();
  for (std::size_t i = 0; i < views.size() && i < std::size(kScreenNames); ++i) {
    const QWidget* view = views[i];
    out += QStringLiteral("window.%1=%2 %3\n")
               .arg(QString::fromLatin1(kScreenNames[i]))
               .arg(view->isVisible() ? view->winId() : 0)
               .arg(view->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
  }
  for (const QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String("errorBox") && window->isVisible())
      out += QStringLiteral("errorBox=%1\n").arg(window->winId());
  const Game& g = app.game();
  const QuizScreen& quiz = g.screen<QuizScreen>();
  out += QStringLiteral("step=%1\nquestion=%2\ncorrect=%3\nscore1=%4\nscore2=%5\n")
             .arg(quiz.step == QuestionStep::countdown ? 5
                  : quiz.step == QuestionStep::idle    ? 0
                                                       : 1)
             .arg(quiz.questionNo)
             .arg(quiz.correctSlot)
             .arg(quiz.scores[kFirstContestant])
             .arg(quiz.scores[kSecondContestant]);
  out += QStringLiteral("lives1=%1\nlives2=%2\ncontinue=%3\nquestionLine=%4\nwinner=%5\n")
             .arg(quiz.lives[kFirstContestant])
             .arg(quiz.lives[kSecondContestant])
             .arg(quiz.continueButton.visible ? 1 : 0)
             .arg(quiz.question.visible ? 1 : 0)
             .arg(g.winner);
  const TieBreak& tieBreak = g.screen<TieBreak>();
  out += QStringLiteral("killButton=%1\ntossButton=%2 %3\n")
             .arg(QString::fromStdString(g.screen<Finale>().killButton().caption),
                  QString::fromStdString(tieBreak.tossButton().caption),
                  tieBreak.tossButton().enabled ? QStringLiteral("enabled")
                                                : QStringLiteral("disabled"));
  return out;
}

}  // namespace

void startStateReport(App& app, const QString& path) {
  auto* timer = new QTimer(&app);
  QObject::connect(timer, &QTimer::timeout, &app, [&app, path] {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(report(app).toUtf8());
    file.commit();
  });
  timer->start(kReportInterval);
}

}  // namespace zndl
