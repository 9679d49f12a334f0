#include <QApplication>
#include <QIcon>

#include "platform/fluid_tune_player.h"
#include "platform/qt_ports.h"
#include "platform/random.h"
#include "shell/app.h"
#include "shell/look.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zandoodle"));
  QApplication::setApplicationDisplayName(QString::fromUtf8(zndl::kAppTitle));
  QApplication::setDesktopFileName(QStringLiteral("zandoodle"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/assets/art/icon16.svg"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/assets/art/icon32.svg"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/assets/art/icon.svg"));
  QApplication::setWindowIcon(icon);
  zndl::look::installFontSubstitutes();

  auto engine = zndl::FluidEngine::create();
  zndl::FluidTunePlayer titleTune(engine);
  zndl::FluidTunePlayer quizTune(engine);
  zndl::QtErrorBox errorBox;
  zndl::QtDesktop desktop;
  zndl::QtFilePicker filePicker;
  zndl::ClockRandom random;

  zndl::App app(zndl::Ports{titleTune, quizTune, errorBox, desktop, filePicker, random});
  if (app.game().ended()) return 0;
  return QApplication::exec();
}
