#include "shell/zndl1_view.h"

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>

#include "platform/qt_ports.h"
#include "shell/app.h"
#include "shell/look.h"

namespace zndl {
namespace {

// Keeps out of a field whatever names.etc could not hold as typed: a line break would
// shift every later line of the file, and a character outside its code page would be
// saved as something other than what the player sees.
class StorableTextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return TZNDLbox1::storableEntry(ss(input)) ? Acceptable : Invalid;
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
    : ScreenView(app, app.game().ZNDLbox1, QSize(640, 480), Frame::Borderless),
      screen_(app.game().ZNDLbox1) {
  setAccessibleDescription(QStringLiteral(
      "The title screen: enter both contestants and their pets, choose a question group, "
      "then press Play."));
  makePicture(QStringLiteral("title"), QRect(0, 0, 640, 480),
              QStringLiteral("Pembril the penguin under the Zandoodle sign"))
      ->setObjectName("Image1");

  QPushButton* play = makeButton(
      QRect(9, 8, 88, 25), "Play", [this] { screen_.PlayButClick(); },
      "Press this button to play.");
  play->setObjectName("PlayBut");
  play->setAccessibleDescription(QStringLiteral("Start a game with the group chosen"));
  QPushButton* exit = makeButton(
      QRect(104, 8, 89, 25), "Exit (Alt-F4)", [this] { screen_.ExitButClick(); },
      "Press this button to exit.");
  exit->setObjectName("ExitBut");
  exit->setAccessibleName(QStringLiteral("Exit"));
  exit->setAccessibleDescription(QStringLiteral("Save the names and leave the game"));
  QPushButton* internet =
      makeButton(QRect(8, 40, 89, 25), "Internet && E-mail", [this] { screen_.Button6Click(); });
  internet->setObjectName("Button6");
  internet->setAccessibleName(QStringLiteral("Internet and e-mail"));
  internet->setAccessibleDescription(QStringLiteral("Show the web sites and mail addresses"));
  settings_ = makeButton(QRect(104, 40, 89, 25), "Settings", [this] { screen_.Button1Click(); });
  settings_->setObjectName("Button1");
  settings_->setAccessibleDescription(QStringLiteral("Show the contestants' setup again"));

  buildPanel();
  for (QPushButton* button : findChildren<QPushButton*>()) button->setFont(controlFont());
  orderTabs();
  sync();
}

void TitleView::orderTabs() {
  // The buttons across the top first, then the setup one contestant at a time (the
  // panel is laid out in rows, but each column belongs to one player), the question
  // group and the panel's buttons.
  const char* const order[] = {"PlayBut",    "ExitBut",    "Button6",    "Button1",    "Name1",
                               "PetName1",   "PetType1.0", "PetType1.1", "PetType1.2", "PetType1.3",
                               "P1Time",     "Name2",      "PetName2",   "PetType2.0", "PetType2.1",
                               "PetType2.2", "PetType2.3", "P2Time",     "ComboBox1",  "Button2",
                               "Button3",    "Button5"};
  QWidget* previous = nullptr;
  for (const char* name : order) {
    auto* widget = findChild<QWidget*>(QString::fromLatin1(name));
    if (previous && widget) setTabOrder(previous, widget);
    if (widget) previous = widget;
  }
}

void TitleView::buildPanel() {
  panel_ = new QFrame(this);
  panel_->setObjectName("Panel1");
  panel_->setGeometry(368, 175, 265, 297);
  panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel_->setLineWidth(1);
  // A grey panel over the picture, not part of the black stage.
  QPalette grey = panel_->palette();
  grey.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  panel_->setPalette(grey);
  panel_->setAutoFillBackground(true);
  panel_->setFont(controlFont());
  normalText_ = panel_->palette().color(QPalette::Text);

  panel_->setAccessibleName(QStringLiteral("Contestants' setup"));
  makePanelLabel("Label1", {8, 8}, "Player One Name:");
  makeEntry("Name1", QRect(8, 24, 121, 21), &TZNDLbox1::Name1, "Player one's name");
  makePanelLabel("Label2", {136, 8}, "Player Two Name:");
  makeEntry("Name2", QRect(136, 24, 121, 21), &TZNDLbox1::Name2, "Player two's name");
  makePanelLabel("Label4", {8, 56}, "Player  One Pet Name:");
  makeEntry("PetName1", QRect(8, 72, 121, 21), &TZNDLbox1::PetName1, "Player one's pet's name");
  makePanelLabel("Label3", {136, 56}, "Player Two Pet Name:");
  makeEntry("PetName2", QRect(136, 72, 121, 21), &TZNDLbox1::PetName2, "Player two's pet's name");

  makePetType("PetType1", QRect(8, 104, 121, 105), &TZNDLbox1::PetType1, "Player one's pet type");
  makePetType("PetType2", QRect(136, 104, 121, 105), &TZNDLbox1::PetType2, "Player two's pet type");

  makePanelLabel("Label5", {7, 219}, "Time (seconds):");
  p1Time_ = makeDropDown("P1Time", QRect(88, 216, 39, 21), true);
  p1Time_->setAccessibleName(QStringLiteral("Player one's time to answer, in seconds"));
  connect(p1Time_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    dispatch([this, typed = ss(text)] { screen_.P1Time.text = typed; });
  });
  makePanelLabel("Label6", {136, 219}, "Time (seconds):");
  p2Time_ = makeDropDown("P2Time", QRect(217, 216, 39, 21), true);
  p2Time_->setAccessibleName(QStringLiteral("Player two's time to answer, in seconds"));
  connect(p2Time_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    dispatch([this, typed = ss(text)] { screen_.P2Time.text = typed; });
  });

  makePanelLabel("QGlabel", {8, 243}, "Question Group:");
  groups_ = makeDropDown("ComboBox1", QRect(89, 240, 169, 21), false);
  groups_->setAccessibleName(QStringLiteral("Question group"));
  // Every change is a load: a picked entry and each typed keystroke alike.
  connect(groups_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    dispatch([this, typed = ss(text)] { screen_.ComboBox1Change(typed); });
  });

  QPushButton* close = makeButton(
      QRect(8, 264, 41, 25), "Close", [this] { screen_.Button2Click(); }, {}, panel_);
  close->setObjectName("Button2");
  close->setAccessibleName(QStringLiteral("Close the setup"));
  QPushButton* more = makeButton(
      QRect(56, 264, 49, 25), "More...", [this] { screen_.Button3Click(); }, {}, panel_);
  more->setObjectName("Button3");
  more->setAccessibleName(QStringLiteral("More settings"));
  more->setAccessibleDescription(QStringLiteral("The host's texts and the speech delay"));
  QPushButton* refresh = makeButton(
      QRect(200, 264, 57, 25), "Refresh", [this] { screen_.Button5Click(); }, {}, panel_);
  refresh->setObjectName("Button5");
  refresh->setAccessibleName(QStringLiteral("Refresh the question groups"));
}

QLabel* TitleView::makePanelLabel(const char* name, QPoint at, const char* text) {
  QLabel* label = makeLabel(QRect(at, QSize(1, 1)), controlFont(),
                            panel_->palette().color(QPalette::WindowText), text,
                            Qt::AlignLeft | Qt::AlignTop, false, panel_);
  label->setObjectName(name);
  label->adjustSize();
  return label;
}

void TitleView::makeEntry(const char* name, QRect place, std::string TZNDLbox1::*field,
                          const char* spokenName) {
  auto* edit = new QLineEdit(panel_);
  edit->setObjectName(name);
  edit->setAccessibleName(QString::fromUtf8(spokenName));
  edit->setGeometry(place);
  edit->setFont(controlFont());
  edit->setValidator(new StorableTextValidator(edit));
  edit->setText(qs(screen_.*field));
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    dispatch([this, field, typed = ss(text)] { screen_.*field = typed; });
  });
  entries_.push_back({edit, field});
}

void TitleView::makePetType(const char* name, QRect place, int TZNDLbox1::*field,
                            const char* spokenName) {
  auto* box = new QGroupBox(QStringLiteral("Pet type"), panel_);
  box->setObjectName(name);
  box->setAccessibleName(QString::fromUtf8(spokenName));
  box->setGeometry(place);
  box->setFont(controlFont());
  auto* group = new QButtonGroup(box);
  group->setExclusive(true);
  // The four choices share the room below the caption evenly, as a radio group does.
  constexpr int kTop = 18, kRow = 21;
  for (int type = 0; type < 4; ++type) {
    auto* radio = new QRadioButton(qs(TZNDLbox1::petTypeText(type)), box);
    radio->setObjectName(QStringLiteral("%1.%2").arg(name).arg(type));
    radio->setFont(controlFont());
    radio->setGeometry(8, kTop + type * kRow, place.width() - 14, 18);
    group->addButton(radio, type);
  }
  connect(group, &QButtonGroup::idClicked, this,
          [this, field](int type) { dispatch([this, field, type] { screen_.*field = type; }); });
  petTypes_.push_back({group, field});
}

QComboBox* TitleView::makeDropDown(const char* name, QRect place, bool storedInNames) {
  auto* box = new QComboBox(panel_);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setFont(controlFont());
  box->setEditable(true);
  // The box's text is the player's own: Enter adds nothing to the list, and nothing
  // completes a half-typed name behind the player's back.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setMaxVisibleItems(8);
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
    const QString text = qs(screen_.*entry.field);
    if (entry.edit->text() != text) entry.edit->setText(text);
  }
  for (const PetTypeGroup& petType : petTypes_) {
    QAbstractButton* chosen = petType.group->button(screen_.*petType.field);
    if (chosen && !chosen->isChecked()) chosen->setChecked(true);
  }
  syncDropDown(p1Time_, screen_.P1Time);
  syncDropDown(p2Time_, screen_.P2Time);
  syncDropDown(groups_, screen_.ComboBox1);
  panel_->setVisible(screen_.Panel1Visible);
  apply(settings_, screen_.Button1);
}

}  // namespace zndl
