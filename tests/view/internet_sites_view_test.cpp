// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "fakes/app_probe.h"
#include "fakes/test_app.h"
#include "shell/ui/internet_sites_view.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

QColor ink(QWidget* widget) {
  return widget->palette().color(QPalette::WindowText);
}

const QColor kBlue(0, 0, 255);
const QColor kAqua(0, 255, 255);

// The dialog shown over the title, as the Internet button leaves it.
struct ShownDialog {
  TestApp t;
  InternetSitesView* view = nullptr;

  ShownDialog() {
    t.start();
    t.app->dispatch([this] { t.game().screen<TitleScreen>().onInternet(); });
    t.errors.shown.clear();  // the folder holds no files
    view = &AppProbe::view<InternetSitesView>(*t.app);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
  }
  QLabel* link(const char* name) { return child<QLabel>(*view, name); }
  // The pointer moves through the window system, so the move lands on whatever
  // widget is under it, as a real one would.
  void moveOver(QWidget* widget, QPoint at = {}) {
    const QPoint local = at.isNull() ? widget->rect().center() : at;
    QTest::mouseMove(view->windowHandle(), widget->mapTo(view, local));
    QCoreApplication::processEvents();
  }
};

}  // namespace

TEST(InternetWindow, FourRowsOfCaptionLinkAndCopyButtonAboveOk) {
  ShownDialog d;
  InternetSitesView& view = *d.view;
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Internet Sites"));
  EXPECT_TRUE(view.windowFlags() & Qt::WindowStaysOnTopHint);

  struct Row {
    const char* caption;
    const char* captionText;
    int captionRight;
    const char* link;
    QRect linkPlace;
    const char* copy;
    QPoint copyAt;
  };
  const Row rows[] = {
      {"makerSiteCaption",
       "Vormle Co. on the Web:",
       162,
       "makerSite",
       {168, 8, 202, 14},
       "copyMakerSite",
       {376, 4}},
      {"gameSiteCaption",
       "Zandoodle Website:",
       161,
       "gameSite",
       {168, 32, 232, 14},
       "copyGameSite",
       {408, 28}},
      {"gameMailCaption",
       "E-mail us about Zandoodle",
       161,
       "gameMail",
       {168, 56, 177, 14},
       "copyGameMail",
       {352, 52}},
      {"makerMailCaption",
       "General E-Mail:",
       161,
       "makerMail",
       {168, 80, 175, 14},
       "copyMakerMail",
       {352, 76}},
  };
  for (const Row& row : rows) {
    auto* caption = child<QLabel>(view, row.caption);
    EXPECT_EQ(caption->text(), QString::fromUtf8(row.captionText));
    EXPECT_TRUE(caption->alignment() & Qt::AlignRight) << row.caption;
    EXPECT_EQ(caption->geometry().x() + caption->width(), row.captionRight) << row.caption;
    EXPECT_GE(caption->x(), 0) << row.caption;
    EXPECT_GE(caption->width(), caption->sizeHint().width()) << row.caption << " is not clipped";

    QLabel* link = d.link(row.link);
    EXPECT_EQ(link->geometry(), row.linkPlace) << row.link;
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->font().pixelSize(), 11);
    EXPECT_EQ(link->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(ink(link), kBlue);
    EXPECT_LE(link->sizeHint().width(), link->width()) << row.link << " shows its whole address";

    auto* copy = child<QToolButton>(view, row.copy);
    EXPECT_EQ(copy->geometry(), QRect(row.copyAt, QSize(25, 25)));
    EXPECT_EQ(copy->toolTip(), QStringLiteral("Copy To Clipboard"));
    EXPECT_FALSE(copy->icon().isNull());
    EXPECT_EQ(copy->iconSize(), QSize(16, 16));
  }
  auto* ok = child<QPushButton>(view, "okButton");
  EXPECT_EQ(ok->geometry(), QRect(165, 104, 75, 25));
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_EQ(view.copyCarrier()->geometry(), QRect(16, 200, 369, 21));
  EXPECT_FALSE(view.rect().intersects(view.copyCarrier()->geometry())) << "never seen";

  if (const QByteArray dir = qgetenv("ZNDL_SHOTS"); !dir.isEmpty())
    view.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("internet.png")));
}

TEST(InternetWindow, ClickingALinkHandsItsTargetToTheDesktop) {
  ShownDialog d;
  for (const char* name : {"makerSite", "gameSite", "gameMail", "makerMail"})
    QTest::mouseClick(d.link(name), Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.opened, (std::vector<std::string>{
                                    "http://www.vormle.example/",
                                    "http://www.vormle.example/zandoodle/index.htm",
                                    "mailto:zandoodle@vormle.example",
                                    "mailto:info@vormle.example",
                                }));
  EXPECT_TRUE(d.t.errors.shown.empty());
}

TEST(InternetWindow, CopyButtonsPutTheAddressAsShownOnTheClipboardThroughTheCarrierField) {
  ShownDialog d;
  QLineEdit* carrier = d.view->copyCarrier();
  EXPECT_EQ(carrier->text(), QStringLiteral("Edit1"));
  QTest::mouseClick(child<QToolButton>(*d.view, "copyGameSite"), Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.clipboard, "http://www.vormle.example/zandoodle/");
  EXPECT_EQ(carrier->text(), QStringLiteral("http://www.vormle.example/zandoodle/"));
  EXPECT_EQ(carrier->selectedText(), carrier->text());

  QTest::mouseClick(child<QToolButton>(*d.view, "copyMakerMail"), Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.clipboard, "info@vormle.example") << "the second copy wins";
  EXPECT_EQ(carrier->text(), QStringLiteral("info@vormle.example"));
  QTest::mouseClick(child<QToolButton>(*d.view, "copyGameMail"), Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.clipboard, "zandoodle@vormle.example");
  QTest::mouseClick(child<QToolButton>(*d.view, "copyMakerSite"), Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.clipboard, "http://www.vormle.example/");
  EXPECT_TRUE(d.t.desktop.opened.empty());
}

TEST(InternetWindow, LinksLightUpUnderThePointerUntilItCrossesTheBackground) {
  ShownDialog d;
  QLabel* web = d.link("makerSite");
  QLabel* page = d.link("gameSite");
  QLabel* mail = d.link("gameMail");

  d.moveOver(web);
  EXPECT_EQ(ink(web), kAqua);
  EXPECT_EQ(ink(page), kBlue);
  d.moveOver(page);  // straight from one link onto the next
  EXPECT_EQ(ink(web), kAqua);
  EXPECT_EQ(ink(page), kAqua);

  d.moveOver(child<QPushButton>(*d.view, "okButton"));
  EXPECT_EQ(ink(web), kAqua) << "OK changes nothing";
  EXPECT_EQ(ink(page), kAqua);

  d.moveOver(d.view, QPoint(10, 120));  // bare background
  EXPECT_EQ(ink(web), kBlue);
  EXPECT_EQ(ink(page), kBlue);

  d.moveOver(mail);
  EXPECT_EQ(ink(mail), kAqua);
  d.moveOver(child<QLabel>(*d.view, "gameMailCaption"));  // a caption
  EXPECT_EQ(ink(mail), kBlue);

  d.moveOver(mail);
  d.moveOver(child<QToolButton>(*d.view, "copyGameMail"));  // a copy button
  EXPECT_EQ(ink(mail), kBlue);
  EXPECT_FALSE(d.t.game().screen<InternetSites>().gameMail.hot);
}

TEST(InternetWindow, OkHidesTheDialogAndTheTitleStays) {
  ShownDialog d;
  QTest::mouseClick(child<QPushButton>(*d.view, "okButton"), Qt::LeftButton);
  EXPECT_FALSE(d.view->isVisible());
  EXPECT_FALSE(d.t.game().screen<InternetSites>().visible());
  EXPECT_TRUE(d.t.app->titleView().isVisible());
  EXPECT_FALSE(d.t.game().ended());
}

// A link opens on a click, as a button does: a press alone, or a press dragged off the
// link before the release, opens nothing.
TEST(InternetWindow, ALinkOpensOnTheReleaseOverIt) {
  ShownDialog d;
  QLabel* link = d.link("gameSite");
  QTest::mousePress(link, Qt::LeftButton);
  EXPECT_TRUE(d.t.desktop.opened.empty()) << "opened on the press";
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
  EXPECT_TRUE(d.t.desktop.opened.empty()) << "opened on a release beside the link";
  QTest::mousePress(link, Qt::LeftButton);
  QTest::mouseRelease(link, Qt::LeftButton);
  EXPECT_EQ(d.t.desktop.opened,
            (std::vector<std::string>{"http://www.vormle.example/zandoodle/index.htm"}));
}

// The clipboard's carrier field lies below the dialog's edge: the keyboard never goes
// there, neither as the dialog comes up nor by Tab nor after a copy.
TEST(InternetWindow, TheKeyboardNeverGoesToTheHiddenCarrierField) {
  ShownDialog d;
  QLineEdit* carrier = d.view->copyCarrier();
  EXPECT_EQ(d.view->focusWidget(), child<QPushButton>(*d.view, "okButton"));
  QTest::mouseClick(child<QToolButton>(*d.view, "copyGameSite"), Qt::LeftButton);
  for (int i = 0; i < 12; ++i) {
    QWidget* holder = d.view->focusWidget();
    QTest::keyClick(holder ? holder : d.view, Qt::Key_Tab);
    EXPECT_NE(d.view->focusWidget(), carrier) << "after " << i + 1 << " Tabs";
  }
}
