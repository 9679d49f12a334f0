#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <vector>

#include "shell/screen_view.h"
#include "shell/zndl10.h"

namespace zndl {

// The window of the Internet Sites dialog: four rows of caption, link and copy button,
// and OK. The pointer over a link lights it; over the background, a caption or a copy
// button it puts every link back to blue.
class InternetView : public ScreenView {
 public:
  explicit InternetView(App& app);
  void sync() override;

  QLineEdit* copyCarrier() const { return edit1_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Link {
    ClickLabel* label;
    LinkLabel TForm3::*state;
    void (TForm3::*hover)();
  };

  // What a screen reader calls a row's link and its copy button.
  struct SpokenNames {
    const char* link;
    const char* copy;
  };

  void makeRow(int top, const char* captionName, int captionRight, const char* caption,
               const char* linkName, QRect linkPlace, LinkLabel TForm3::*state,
               void (TForm3::*click)(), void (TForm3::*hover)(), const char* copyName,
               QPoint copyAt, void (TForm3::*copy)(), SpokenNames spoken);
  void pointerOverBackground();

  TForm3& screen_;
  std::vector<Link> links_;
  std::vector<QWidget*> backgroundParts_;  // captions and copy buttons
  QLineEdit* edit1_ = nullptr;
};

}  // namespace zndl
