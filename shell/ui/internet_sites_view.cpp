// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/internet_sites_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QMouseEvent>

#include "adapters/qt_ports.h"
#include "shell/stage_scale.h"
#include "shell/ui/app.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {
namespace {

QIcon copyIcon() {
  // Drawn for every size the stage can be shown at, each for the usual ratios.
  QIcon icon;
  for (int scale = 1; scale <= stage::kMaxFactor; ++scale) {
    const QSize size(16 * scale, 16 * scale);
    for (const qreal dpr : {1.0, 2.0}) {
      icon.addPixmap(look::picture(QStringLiteral("copy"), size, dpr), QIcon::Normal);
      icon.addPixmap(look::picture(QStringLiteral("copy_disabled"), size, dpr), QIcon::Disabled);
    }
  }
  return icon;
}

}  // namespace

InternetSitesView::InternetSitesView(App& app)
    : ScreenView(app, app.game().screen<InternetSites>(), QSize(440, 135), Frame::DialogOnTop,
                 "internetSites"),
      screen_(app.game().screen<InternetSites>()) {
  // A plain grey dialog, not one of the show's black stages.
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  setPalette(grey);
  setFont(look::sansSerif(11));
  setMouseTracking(true);
  setAccessibleDescription(QStringLiteral(
      "The show's web sites and mail addresses: open one, or copy it to the clipboard."));

  // Tab runs along the rows, link then copy button, and ends on OK.
  const QIcon copy = copyIcon();
  makeRow(8, "makerSiteCaption", 162, "Vormle Co. on the Web:", "makerSite", QRect(168, 8, 202, 14),
          &InternetSites::makerSite, &InternetSites::onMakerSiteClicked,
          &InternetSites::onHoverMakerSite, "copyMakerSite", {376, 4},
          &InternetSites::onCopyMakerSite,
          {"Vormle Co. web site", "Copy the Vormle Co. web address"}, copy);
  makeRow(32, "gameSiteCaption", 161, "Zandoodle Website:", "gameSite", QRect(168, 32, 232, 14),
          &InternetSites::gameSite, &InternetSites::onGameSiteClicked,
          &InternetSites::onHoverGameSite, "copyGameSite", {408, 28},
          &InternetSites::onCopyGameSite, {"Zandoodle web site", "Copy the Zandoodle web address"},
          copy);
  makeRow(56, "gameMailCaption", 161, "E-mail us about Zandoodle", "gameMail",
          QRect(168, 56, 177, 14), &InternetSites::gameMail, &InternetSites::onGameMailClicked,
          &InternetSites::onHoverGameMail, "copyGameMail", {352, 52},
          &InternetSites::onCopyGameMail,
          {"Mail about Zandoodle", "Copy the mail address for Zandoodle"}, copy);
  makeRow(80, "makerMailCaption", 161, "General E-Mail:", "makerMail", QRect(168, 80, 175, 14),
          &InternetSites::makerMail, &InternetSites::onMakerMailClicked,
          &InternetSites::onHoverMakerMail, "copyMakerMail", {352, 76},
          &InternetSites::onCopyMakerMail, {"General mail", "Copy the general mail address"}, copy);

  QPushButton* ok = makeButton(QRect(165, 104, 75, 25), "OK", [this] { screen_.onOk(); });
  ok->setObjectName("okButton");
  ok->setAccessibleDescription(QStringLiteral("Close this dialog"));
  setDefaultButton(ok);

  // The copy buttons hand their text through this box on its way to the clipboard;
  // it sits below the dialog's visible area and is never heard either.
  carrier_ = new QLineEdit(this);
  carrier_->setObjectName("clipboardCarrier");
  carrier_->setGeometry(16, 200, 369, 21);
  carrier_->setFont(look::sansSerif(11));
  carrier_->setAccessibleName(QStringLiteral("Text on its way to the clipboard"));
  keepOffStage(carrier_);
  sync();
}

void InternetSitesView::makeRow(int top, const char* captionName, int captionRight,
                                const char* caption, const char* linkName, QRect linkPlace,
                                LinkLabel InternetSites::*state, void (InternetSites::*click)(),
                                void (InternetSites::*hover)(), const char* copyName, QPoint copyAt,
                                void (InternetSites::*copy)(), SpokenNames spoken,
                                const QIcon& copyIcon) {
  // Captions end where their links begin; a face wider than the old one grows leftwards.
  const QFont captionFont = look::sansSerif(11);
  const int width = QFontMetrics(captionFont).horizontalAdvance(QString::fromUtf8(caption)) + 2;
  QLabel* label = makeLabel(QRect(captionRight - width, top, width, 14), captionFont,
                            palette().color(QPalette::WindowText), caption,
                            Qt::AlignRight | Qt::AlignTop, false);
  label->setObjectName(captionName);
  label->setMouseTracking(true);
  label->installEventFilter(this);
  backgroundParts_.push_back(label);

  QFont linkFont = look::arial(11, false);
  linkFont.setUnderline(true);
  ClickLabel* link = makeClickLabel(linkPlace, linkFont, look::kBlue,
                                    [&sites = screen_, click] { (sites.*click)(); });
  link->setObjectName(linkName);
  link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  link->setWordWrap(false);
  link->setCursor(Qt::CrossCursor);
  link->setMouseTracking(true);
  link->installEventFilter(this);
  // Enter or Space on a link opens it, as a click does; its address is its description.
  link->makeKeyboardReachable();
  nameByRole(link, QString::fromUtf8(spoken.link));
  links_.push_back({link, state, hover});

  auto* button = new QToolButton(this);
  button->setObjectName(copyName);
  button->setGeometry(QRect(copyAt, QSize(25, 25)));
  button->setIcon(copyIcon);
  button->setIconSize(QSize(16, 16));
  button->setToolTip(QStringLiteral("Copy To Clipboard"));
  button->setAccessibleName(QString::fromUtf8(spoken.copy) + QStringLiteral(" to the clipboard"));
  // Reached by Tab and pressed with Space or Enter; a click leaves the keyboard alone.
  button->setFocusPolicy(Qt::TabFocus);
  button->setMouseTracking(true);
  button->installEventFilter(this);
  connect(button, &QToolButton::clicked, this,
          [this, copy] { dispatch([&sites = screen_, copy] { (sites.*copy)(); }); });
  backgroundParts_.push_back(button);
}

void InternetSitesView::pointerOverBackground() {
  // Only a lit link needs putting out; a move over the dialog is otherwise idle.
  bool anyHot = false;
  for (const Link& link : links_) anyHot = anyHot || (screen_.*link.state).hot;
  if (anyHot) dispatch([this] { screen_.onHoverBackground(); });
}

bool InternetSitesView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove) return ScreenView::eventFilter(watched, event);
  for (const Link& link : links_) {
    if (watched != link.label) continue;
    if (!(screen_.*link.state).hot)
      dispatch([&sites = screen_, hover = link.hover] { (sites.*hover)(); });
    return true;  // the dialog behind the link must not see this move
  }
  for (QWidget* part : backgroundParts_) {
    if (watched == part) pointerOverBackground();
  }
  return ScreenView::eventFilter(watched, event);
}

void InternetSitesView::mouseMoveEvent(QMouseEvent* event) {
  // Moves the children pass up (a caption, a copy button, OK) were handled where they
  // happened, or are meant to change nothing; only the bare background counts here.
  if (!childAt(event->position().toPoint())) pointerOverBackground();
  ScreenView::mouseMoveEvent(event);
}

void InternetSitesView::sync() {
  for (const Link& link : links_) {
    const LinkLabel& state = screen_.*link.state;
    const QString text = qs(state.text);
    if (link.label->text() != text) link.label->setText(text);
    followText(link.label);
    const QColor colour = state.hot ? look::kAqua : look::kBlue;
    if (link.label->palette().color(QPalette::WindowText) != colour) {
      QPalette pal = link.label->palette();
      pal.setColor(QPalette::WindowText, colour);
      link.label->setPalette(pal);
    }
  }
  const QString carried = qs(screen_.clipboardCarrier);
  if (carrier_->text() != carried) {
    carrier_->setText(carried);
    carrier_->selectAll();
  }
}

MAKE_WINDOW_OF(InternetSitesView);

}  // namespace zndl
