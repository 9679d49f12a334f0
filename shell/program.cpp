#include "shell/program.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>

#include "platform/fluid_tune_player.h"
#include "platform/qt_ports.h"
#include "platform/random.h"
#include "shell/app.h"
#include "shell/look.h"
#include "shell/title_view.h"

namespace zndl {
namespace {

// Tells when a window has been painted for the first time.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(std::function<void(QWidget&)> then) : then_(std::move(then)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      auto then = std::move(then_);
      then_ = nullptr;
      then(*static_cast<QWidget*>(watched));
    }
    return false;
  }

 private:
  std::function<void(QWidget&)> then_;
};

}  // namespace

int runProgram(int argc, char* argv[], std::function<void(QWidget&)> whenShown) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zandoodle"));
  QApplication::setApplicationDisplayName(QString::fromUtf8(kAppTitle));
  QApplication::setDesktopFileName(QStringLiteral("zandoodle"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/assets/art/icon16.svg"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/assets/art/icon32.svg"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/assets/art/icon.svg"));
  QApplication::setWindowIcon(icon);
  look::installFontSubstitutes();

  auto engine = FluidEngine::create();
  FluidTunePlayer titleTune(engine);
  FluidTunePlayer quizTune(engine);
  QtErrorBox errorBox;
  QtDesktop desktop;
  QtFilePicker filePicker;
  ClockRandom random;

  FirstPaint firstPaint(std::move(whenShown));
  App app(Ports{titleTune, quizTune, errorBox, desktop, filePicker, random});
  app.titleView().installEventFilter(&firstPaint);
  if (app.game().ended()) return 0;
  return QApplication::exec();
}

}  // namespace zndl
