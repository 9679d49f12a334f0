// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <vector>

#include "shell/internet_sites.h"
#include "shell/ui/screen_view.h"

namespace zndl {

// The window of the Internet Sites dialog: four rows of caption, link and copy button,
// and OK. The pointer over a link lights it; over the background, a caption or a copy
// button it puts every link back to blue.
class InternetSitesView : public ScreenView {
 public:
  explicit InternetSitesView(App& app);
  void sync() override;

  QLineEdit* copyCarrier() const { return carrier_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Link {
    ClickLabel* label;
    LinkLabel InternetSites::*state;
    void (InternetSites::*hover)();
  };

  // What a screen reader calls a row's link and its copy button.
  struct SpokenNames {
    const char* link;
    const char* copy;
  };

  void makeRow(int top, const char* captionName, int captionRight, const char* caption,
               const char* linkName, QRect linkPlace, LinkLabel InternetSites::*state,
               void (InternetSites::*click)(), void (InternetSites::*hover)(), const char* copyName,
               QPoint copyAt, void (InternetSites::*copy)(), SpokenNames spoken,
               const QIcon& copyIcon);
  void pointerOverBackground();

  InternetSites& screen_;
  std::vector<Link> links_;
  std::vector<QWidget*> backgroundParts_;  // captions and copy buttons
  QLineEdit* carrier_ = nullptr;
};

}  // namespace zndl
