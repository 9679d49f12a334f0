// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/title_view.h"

#include <QApplication>
#include <QCompleter>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>
#include <QWheelEvent>

#include "adapters/qt_ports.h"
#include "shell/ui/app.h"
#include "shell/ui/join_panel.h"
#include "shell/ui/look.h"
#include "shell/ui/make_window.h"

namespace zndl {
namespace {

// Keeps out of a field whatever names.etc could not hold as typed: a line break would
// shift every later line of the file, and a character outside its code page would be
// saved as something other than what the player sees.
class StorableTextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    // A pasted name keeps its text and loses its line breaks.
    for (qsizetype i = input.size() - 1; i >= 0; --i) {
      if (input[i] != u'\r' && input[i] != u'\n') continue;
      input.remove(i, 1);
      if (position > i) --position;
    }
    return TitleScreen::storableEntry(ss(input)) ? Acceptable : Invalid;
  }
};

// A closed drop-down the player is only scrolling past keeps its value: the wheel
// changes it only once the box holds the keyboard.
class WheelOnlyWithFocus : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    auto* box = qobject_cast<QComboBox*>(watched);
    if (!box || box->hasFocus()) return false;
    event->ignore();
    return true;
  }
};

// The screen's controls were laid out for a narrow sans-serif face: Liberation Sans
// keeps every caption inside the room it was given, where the wider DejaVu Sans would
// run a label under the box beside it and cut the Internet button's caption.
QFont controlFont() {
  return look::arial(11, false);
}

QStringList toQt(const std::vector<std::string>& items) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(items.size()));
  for (const auto& item : items) out << qs(item);
  return out;
}

}  // namespace

TitleView::TitleView(App& app)
    : ScreenView(app, app.game().screen<TitleScreen>(), QSize(640, 480), Frame::Borderless,
                 "title"),
      screen_(app.game().screen<TitleScreen>()) {
  setAccessibleDescription(QStringLiteral(
      "The title screen: enter both contestants and their pets, choose a question group, "
      "then press Play."));
  setButtonFont(controlFont());
  makePicture(QStringLiteral("title"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin under the Zandoodle sign"))
      ->setObjectName("background");

  QPushButton* play = makeButton(
      QRect(9, 8, 88, 25), "Play", [this] { screen_.onPlay(); }, "Press this button to play.");
  play->setObjectName("playButton");
  play->setAccessibleDescription(QStringLiteral("Start a game with the group chosen"));
  setFirstFocus(play);
  QPushButton* exit = makeButton(
      QRect(104, 8, 89, 25), "Exit (Alt-F4)", [this] { screen_.onExit(); },
      "Press this button to exit.");
  exit->setObjectName("exitButton");
  exit->setAccessibleName(QStringLiteral("Exit"));
  exit->setAccessibleDescription(QStringLiteral("Save the names and leave the game"));
  QPushButton* internet =
      makeButton(QRect(8, 40, 89, 25), "Internet && E-mail", [this] { screen_.onInternet(); });
  internet->setObjectName("internetButton");
  internet->setAccessibleName(QStringLiteral("Internet and e-mail"));
  internet->setAccessibleDescription(QStringLiteral("Show the web sites and mail addresses"));
  settings_ = makeButton(QRect(104, 40, 89, 25), "Settings", [this] { screen_.onOpenSetup(); });
  settings_->setObjectName("settingsButton");
  settings_->setAccessibleDescription(QStringLiteral("Show the contestants' setup again"));

  buildPanel();
  joinPanel_ = new JoinPanel(this, app.pads(),
                             [this](QRect place, const std::string& caption,
                                    std::function<void()> handler, QWidget* parent) {
                               return makeButton(place, caption, std::move(handler), {}, parent);
                             });
  orderTabs();
  sync();
}

void TitleView::orderTabs() {
  // The buttons across the top first, then the setup one contestant at a time (the
  // panel is laid out in rows, but each column belongs to one player), the question
  // group and the panel's buttons.
  const char* const order[] = {"playButton", "exitButton",   "internetButton", "settingsButton",
                               "name1",      "petName1",     "petType1.0",     "petType1.1",
                               "petType1.2", "petType1.3",   "answerTime1",    "name2",
                               "petName2",   "petType2.0",   "petType2.1",     "petType2.2",
                               "petType2.3", "answerTime2",  "groupBox",       "closeSetupButton",
                               "moreButton", "refreshButton"};
  QWidget* previous = nullptr;
  for (const char* name : order) {
    auto* widget = findChild<QWidget*>(QString::fromLatin1(name));
    if (previous && widget) setTabOrder(previous, widget);
    if (widget) previous = widget;
  }
}

void TitleView::buildPanel() {
  setupPanel_ = new QFrame(this);
  setupPanel_->setObjectName("setupPanel");
  setupPanel_->setGeometry(368, 175, 265, 297);
  setupPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  setupPanel_->setLineWidth(1);
  // A grey panel over the picture, not part of the black stage.
  QPalette grey = setupPanel_->palette();
  grey.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  setupPanel_->setPalette(grey);
  setupPanel_->setAutoFillBackground(true);
  // Every control of the panel takes its font from here.
  setupPanel_->setFont(controlFont());
  normalText_ = setupPanel_->palette().color(QPalette::Text);

  setupPanel_->setAccessibleName(QStringLiteral("Contestants' setup"));
  makePanelLabel("name1Caption", {8, 8}, "Player One Name:");
  makeEntry("name1", QRect(8, 24, 121, 21), kFirstContestant, &ContestantEntry::name,
            "Player one's name");
  makePanelLabel("name2Caption", {136, 8}, "Player Two Name:");
  makeEntry("name2", QRect(136, 24, 121, 21), kSecondContestant, &ContestantEntry::name,
            "Player two's name");
  makePanelLabel("petName1Caption", {8, 56}, "Player  One Pet Name:");
  makeEntry("petName1", QRect(8, 72, 121, 21), kFirstContestant, &ContestantEntry::petName,
            "Player one's pet's name");
  makePanelLabel("petName2Caption", {136, 56}, "Player Two Pet Name:");
  makeEntry("petName2", QRect(136, 72, 121, 21), kSecondContestant, &ContestantEntry::petName,
            "Player two's pet's name");

  makePetType("petType1", QRect(8, 104, 121, 105), kFirstContestant, "Player one's pet type");
  makePetType("petType2", QRect(136, 104, 121, 105), kSecondContestant, "Player two's pet type");

  makePanelLabel("answerTime1Caption", {7, 219}, "Time (seconds):");
  makeAnswerTime("answerTime1", QRect(88, 216, 39, 21), kFirstContestant,
                 "Player one's time to answer, in seconds");
  makePanelLabel("answerTime2Caption", {136, 219}, "Time (seconds):");
  makeAnswerTime("answerTime2", QRect(217, 216, 39, 21), kSecondContestant,
                 "Player two's time to answer, in seconds");

  makePanelLabel("groupCaption", {8, 243}, "Question Group:");
  groups_ = makeDropDown("groupBox", QRect(89, 240, 169, 21), false);
  groups_->setAccessibleName(QStringLiteral("Question group"));
  // Every change is a load: a picked entry and each typed keystroke alike.
  connect(groups_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    dispatch([this, typed = ss(text)] { screen_.onGroupChanged(typed); });
  });

  QPushButton* close = makeButton(
      QRect(8, 264, 41, 25), "Close", [this] { screen_.onCloseSetup(); }, {}, setupPanel_);
  close->setObjectName("closeSetupButton");
  close->setAccessibleName(QStringLiteral("Close the setup"));
  QPushButton* more = makeButton(
      QRect(56, 264, 49, 25), "More...", [this] { screen_.onMore(); }, {}, setupPanel_);
  more->setObjectName("moreButton");
  more->setAccessibleName(QStringLiteral("More settings"));
  more->setAccessibleDescription(QStringLiteral("The host's texts and the speech delay"));
  QPushButton* refresh = makeButton(
      QRect(200, 264, 57, 25), "Refresh", [this] { screen_.onRefresh(); }, {}, setupPanel_);
  refresh->setObjectName("refreshButton");
  refresh->setAccessibleName(QStringLiteral("Refresh the question groups"));
}

QLabel* TitleView::makePanelLabel(const char* name, QPoint at, const char* text) {
  QLabel* label = makeLabel(QRect(at, QSize(1, 1)), controlFont(),
                            setupPanel_->palette().color(QPalette::WindowText), text,
                            Qt::AlignLeft | Qt::AlignTop, false, setupPanel_);
  label->setObjectName(name);
  label->adjustSize();
  return label;
}

void TitleView::makeEntry(const char* name, QRect place, Contestant contestant,
                          std::string ContestantEntry::*field, const char* spokenName) {
  auto* edit = new QLineEdit(setupPanel_);
  edit->setObjectName(name);
  edit->setAccessibleName(QString::fromUtf8(spokenName));
  edit->setGeometry(place);
  edit->setValidator(new StorableTextValidator(edit));
  edit->setText(qs(screen_.entries[contestant].*field));
  connect(edit, &QLineEdit::textEdited, this, [this, contestant, field](const QString& text) {
    dispatch([this, contestant, field, typed = ss(text)] {
      screen_.entries[contestant].*field = typed;
    });
  });
  entries_.push_back({edit, contestant, field});
}

void TitleView::makePetType(const char* name, QRect place, Contestant contestant,
                            const char* spokenName) {
  auto* box = new QGroupBox(QStringLiteral("Pet type"), setupPanel_);
  box->setObjectName(name);
  box->setAccessibleName(QString::fromUtf8(spokenName));
  box->setGeometry(place);
  auto* group = new QButtonGroup(box);
  group->setExclusive(true);
  // The four choices share the room below the caption evenly, as a radio group does.
  constexpr int kTop = 18, kRow = 21;
  for (int type = kHamster; type <= kDog; ++type) {
    auto* radio = new QRadioButton(qs(petTypeText(type)), box);
    radio->setObjectName(QStringLiteral("%1.%2").arg(name).arg(type));
    radio->setGeometry(8, kTop + type * kRow, place.width() - 14, 18);
    group->addButton(radio, type);
  }
  connect(group, &QButtonGroup::idClicked, this, [this, contestant](int type) {
    dispatch([this, contestant, type] { screen_.entries[contestant].petType = type; });
  });
  petTypes_.push_back({group, contestant});
}

QComboBox* TitleView::makeAnswerTime(const char* name, QRect place, Contestant contestant,
                                     const char* spokenName) {
  QComboBox* box = makeDropDown(name, place, true);
  box->setAccessibleName(QString::fromUtf8(spokenName));
  connect(box, &QComboBox::editTextChanged, this, [this, contestant](const QString& text) {
    dispatch([this, contestant, typed = ss(text)] {
      screen_.entries[contestant].answerTime.text = typed;
    });
  });
  answerTimes_[contestant] = box;
  return box;
}

QComboBox* TitleView::makeDropDown(const char* name, QRect place, bool storedInNames) {
  // The box takes the panel's font. It is made editable with a field of its own: Qt's
  // setEditable() also builds the drop-down list and a completer straight away, the
  // costliest part of building the title; this way the list waits until Qt needs it
  // (Qt 6.4 builds it as it first opens, Qt 6.8 as items go in). The stand-in completer
  // only keeps Qt from building one of its own.
  auto* box = new QComboBox(setupPanel_);
  box->setObjectName(name);
  box->setGeometry(place);
  auto* field = new QLineEdit(box);
  field->setCompleter(new QCompleter(field));
  box->setLineEdit(field);
  // The box's text is the player's own: Enter adds nothing to the list, and nothing
  // completes a half-typed name behind the player's back.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);  // the field deletes the stand-in, its own child
  box->setMaxVisibleItems(8);
  box->setFocusPolicy(Qt::StrongFocus);
  box->installEventFilter(new WheelOnlyWithFocus(box));
  if (storedInNames) box->setValidator(new StorableTextValidator(box));
  box->lineEdit()->setTextMargins(0, 0, 0, 0);
  return box;
}

void TitleView::syncDropDown(QComboBox* widget, const ComboBox& box) {
  // Filling the list or setting the text from here is not a change by the player.
  const QSignalBlocker blocker(widget);
  const QStringList items = toQt(box.items);
  bool sameItems = widget->count() == items.size();
  for (int i = 0; sameItems && i < widget->count(); ++i)
    sameItems = widget->itemText(i) == items[i];
  if (!sameItems) {
    widget->clear();
    widget->addItems(items);
    widget->setCurrentIndex(-1);
  }
  const QString text = qs(box.text);
  if (widget->currentText() != text) widget->setEditText(text);

  const QColor colour = box.red ? look::kRed : normalText_;
  if (widget->palette().color(QPalette::Text) != colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
    widget->lineEdit()->setPalette(pal);
  }
}

void TitleView::sync() {
  for (const Entry& entry : entries_) {
    const QString text = qs(screen_.entries[entry.contestant].*entry.field);
    if (entry.edit->text() != text) entry.edit->setText(text);
  }
  for (const PetTypeGroup& petType : petTypes_) {
    QAbstractButton* chosen = petType.group->button(screen_.entries[petType.contestant].petType);
    if (chosen && !chosen->isChecked()) chosen->setChecked(true);
  }
  for (Contestant c : kBothContestants)
    syncDropDown(answerTimes_[c], screen_.entries[c].answerTime);
  syncDropDown(groups_, screen_.groupBox);
  setupPanel_->setVisible(screen_.setupPanelVisible);
  apply(settings_, screen_.settingsButton);
  joinPanel_->sync(screen_);
}

MAKE_WINDOW_OF(TitleView);

}  // namespace zndl
