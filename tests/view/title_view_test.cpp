// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "fakes/test_app.h"
#include "fakes/test_game.h"
#include "shell/ui/title_view.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

// Saves a picture of the window for a person to look at, when asked to.
void saveShot(QWidget& window, const char* name) {
  const QByteArray dir = qgetenv("ZNDL_SHOTS");
  if (dir.isEmpty()) return;
  window.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

// Types text the way a keyboard or an input method delivers it, one character per key
// press; unlike QTest::keyClicks this takes characters outside ASCII.
void typeText(QWidget* widget, const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &release);
  }
}

QColor textColour(QComboBox* box) {
  return box->lineEdit()->palette().color(QPalette::Text);
}

struct StartedTitle {
  TestApp t;
  TitleView* view = nullptr;

  explicit StartedTitle(bool withNames = true, int moreGroups = 0) {
    for (int i = 1; i <= moreGroups; ++i)
      writeFile(QStringLiteral("g%1.set").arg(i, 2, 10, QLatin1Char('0')).toStdString(),
                "(ZNDL v4)\r\nQ1\r\nGroup?\r\n");
    if (withNames)
      writeFile("names.etc", namesFile("Ann", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
    for (const char* name : {"banter", "describe", "jobs", "after.job"}) writeFile(name, "x\r\n");
    writeFile("zoo.set", "(ZNDL v4)\r\nQ1\r\nZoo?\r\n");
    writeFile("Animals.set", "(ZNDL v4)\r\nQ1\r\nAnimals?\r\n");
    t.start();
    view = &t.app->titleView();
  }
};

}  // namespace

TEST(TitleWindow, EveryControlSitsInItsPlaceWithItsCaptionAndHint) {
  StartedTitle s;
  TitleView& view = *s.view;
  // Found as a plain widget: Qt 6.8's findChild takes only classes with Q_OBJECT.
  auto* picture = dynamic_cast<PictureWidget*>(child<QWidget>(view, "background"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->geometry(), QRect(0, 0, 640, 480));
  EXPECT_EQ(picture->pictureName(), QStringLiteral("title"));

  struct ButtonRow {
    const char* name;
    QRect place;
    const char* caption;
    const char* hint;
    bool visible;
  };
  const ButtonRow buttons[] = {
      {"playButton", {9, 8, 88, 25}, "Play", "Press this button to play.", true},
      {"exitButton", {104, 8, 89, 25}, "Exit (Alt-F4)", "Press this button to exit.", true},
      {"internetButton", {8, 40, 89, 25}, "Internet && E-mail", "", true},
      {"settingsButton", {104, 40, 89, 25}, "Settings", "", false},
      {"closeSetupButton", {8, 264, 41, 25}, "Close", "", true},
      {"moreButton", {56, 264, 49, 25}, "More...", "", true},
      {"refreshButton", {200, 264, 57, 25}, "Refresh", "", true},
  };
  for (const ButtonRow& row : buttons) {
    auto* button = child<QPushButton>(view, row.name);
    EXPECT_EQ(button->geometry(), row.place) << row.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(row.caption)) << row.name;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.hint)) << row.name;
    EXPECT_EQ(button->isVisibleTo(&view), row.visible) << row.name;
  }

  QFrame* panel = view.setupPanel();
  EXPECT_EQ(panel->geometry(), QRect(368, 175, 265, 297));
  EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
  EXPECT_TRUE(panel->isVisible());

  const std::pair<const char*, const char*> labels[] = {
      {"name1Caption", "Player One Name:"},         {"name2Caption", "Player Two Name:"},
      {"petName1Caption", "Player  One Pet Name:"}, {"petName2Caption", "Player Two Pet Name:"},
      {"answerTime1Caption", "Time (seconds):"},    {"answerTime2Caption", "Time (seconds):"},
      {"groupCaption", "Question Group:"}};
  for (const auto& [name, text] : labels) {
    auto* label = child<QLabel>(*panel, name);
    EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
    EXPECT_LE(label->geometry().right(), 260) << name << " stays inside the panel";
  }
  // Each caption ends before the box beside it begins.
  EXPECT_LT(child<QLabel>(*panel, "answerTime1Caption")->geometry().right(), 88);
  EXPECT_LT(child<QLabel>(*panel, "answerTime2Caption")->geometry().right(), 217);
  EXPECT_LT(child<QLabel>(*panel, "groupCaption")->geometry().right(), 89);
  EXPECT_LT(child<QLabel>(*panel, "petName1Caption")->geometry().right(), 136);

  const std::pair<const char*, QRect> entries[] = {{"name1", {8, 24, 121, 21}},
                                                   {"name2", {136, 24, 121, 21}},
                                                   {"petName1", {8, 72, 121, 21}},
                                                   {"petName2", {136, 72, 121, 21}}};
  for (const auto& [name, place] : entries)
    EXPECT_EQ(child<QLineEdit>(*panel, name)->geometry(), place) << name;
  EXPECT_EQ(child<QLineEdit>(*panel, "name1")->text(), QStringLiteral("Ann"));
  EXPECT_EQ(child<QLineEdit>(*panel, "petName2")->text(), QStringLiteral("Goldie"));

  for (const auto& [name, place, chosen] : {std::tuple{"petType1", QRect(8, 104, 121, 105), 3},
                                            std::tuple{"petType2", QRect(136, 104, 121, 105), 1}}) {
    auto* group = child<QGroupBox>(*panel, name);
    EXPECT_EQ(group->geometry(), place);
    EXPECT_EQ(group->title(), QStringLiteral("Pet type"));
    const auto radios = group->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 4);
    const char* types[] = {"Hamster", "Goldfish", "Mouse", "Dog"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(radios[i]->text(), QString::fromLatin1(types[i]));
      EXPECT_EQ(radios[i]->isChecked(), i == chosen) << name << i;
      EXPECT_TRUE(group->rect().contains(radios[i]->geometry())) << name << i;
    }
  }

  EXPECT_EQ(view.answerTimeBox(kFirstContestant)->geometry(), QRect(88, 216, 39, 21));
  EXPECT_EQ(view.answerTimeBox(kSecondContestant)->geometry(), QRect(217, 216, 39, 21));
  EXPECT_EQ(view.groupBox()->geometry(), QRect(89, 240, 169, 21));
  EXPECT_EQ(view.answerTimeBox(kFirstContestant)->currentText(), QStringLiteral("10"));
  EXPECT_EQ(view.answerTimeBox(kSecondContestant)->currentText(), QStringLiteral("5"));
  EXPECT_EQ(view.answerTimeBox(kFirstContestant)->count(), 3);
  EXPECT_EQ(view.answerTimeBox(kFirstContestant)->itemText(2), QStringLiteral("15"));
  EXPECT_TRUE(view.groupBox()->isEditable());
  EXPECT_EQ(view.groupBox()->currentText(), QStringLiteral("CHOOSE A GROUP"));
  ASSERT_EQ(view.groupBox()->count(), 2);
  EXPECT_EQ(view.groupBox()->itemText(0), QStringLiteral("Animals.set"));
  EXPECT_EQ(view.groupBox()->itemText(1), QStringLiteral("zoo.set"));
  EXPECT_TRUE(s.t.errors.shown.empty()) << "filling the drop-down is not a change";
  EXPECT_EQ(s.t.game().screen<QuizScreen>().questions.at(0), "Questions") << "and loads nothing";

  saveShot(view, "title.png");
}

TEST(TitleWindow, TypingReachesTheScreenAtOnceWithoutMovingTheCursor) {
  StartedTitle s;
  auto* name1 = child<QLineEdit>(*s.view, "name1");
  name1->setFocus();
  name1->setCursorPosition(1);
  QTest::keyClicks(name1, QStringLiteral("li"));
  EXPECT_EQ(s.t.game().screen<TitleScreen>().entries[kFirstContestant].name, "Alinn");
  EXPECT_EQ(name1->cursorPosition(), 3) << "the window's own sync leaves the cursor alone";
  QTest::keyClick(name1, Qt::Key_Backspace);
  EXPECT_EQ(s.t.game().screen<TitleScreen>().entries[kFirstContestant].name, "Alnn");

  auto* petName2 = child<QLineEdit>(*s.view, "petName2");
  petName2->selectAll();
  typeText(petName2, QStringLiteral("Zoë’s"));
  EXPECT_EQ(s.t.game().screen<TitleScreen>().entries[kSecondContestant].petName, "Zoë’s");
}

TEST(TitleWindow, EntryFieldsDropLineBreaksAndRefuseCharactersTheNamesFileCannotHold) {
  StartedTitle s;
  Game& game = s.t.game();
  auto* name2 = child<QLineEdit>(*s.view, "name2");
  name2->setFocus();
  name2->end(false);
  typeText(name2, QStringLiteral("Ω"));
  EXPECT_EQ(name2->text(), QStringLiteral("Bob"));
  typeText(name2, QStringLiteral("\U0001F439"));  // a hamster emoji
  EXPECT_EQ(name2->text(), QStringLiteral("Bob"));

  QApplication::clipboard()->setText(QStringLiteral("Rex\nFido"));
  auto* petName1 = child<QLineEdit>(*s.view, "petName1");
  petName1->selectAll();
  petName1->paste();
  // A name pasted over two lines is kept whole, without its line break.
  EXPECT_EQ(petName1->text(), QStringLiteral("RexFido"));
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].petName, "RexFido");
  EXPECT_EQ(petName1->cursorPosition(), 7);

  QApplication::clipboard()->setText(QStringLiteral("\r\nGol\rdy\n"));
  auto* petName2 = child<QLineEdit>(*s.view, "petName2");
  petName2->selectAll();
  petName2->paste();
  EXPECT_EQ(game.screen<TitleScreen>().entries[kSecondContestant].petName, "Goldy");

  // A paste with a character the file cannot hold is still refused whole.
  QApplication::clipboard()->setText(QStringLiteral("Rex\nΩ"));
  petName2->selectAll();
  petName2->paste();
  EXPECT_EQ(game.screen<TitleScreen>().entries[kSecondContestant].petName, "Goldy");

  QApplication::clipboard()->setText(QStringLiteral("1\r\n5"));
  s.view->answerTimeBox(kSecondContestant)->lineEdit()->selectAll();
  s.view->answerTimeBox(kSecondContestant)->lineEdit()->paste();
  EXPECT_EQ(game.screen<TitleScreen>().entries[kSecondContestant].answerTime.text, "15");

  game.screen<TitleScreen>().onExit();
  EXPECT_EQ(readFile("names.etc"),
            namesFile("Ann", "Bob", "RexFido", "Goldy", "3", "1", "10", "15"));
}

TEST(TitleWindow, PetTypesAndTimesAreWrittenAsTheyAreChosen) {
  StartedTitle s;
  Game& game = s.t.game();
  auto* petType2 = child<QGroupBox>(*s.view, "petType2");
  QTest::mouseClick(petType2->findChildren<QRadioButton*>()[2], Qt::LeftButton);
  EXPECT_EQ(game.screen<TitleScreen>().entries[kSecondContestant].petType, 2);
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].petType, 3);

  QComboBox* p1Time = s.view->answerTimeBox(kFirstContestant);
  p1Time->lineEdit()->selectAll();
  QTest::keyClicks(p1Time->lineEdit(), QStringLiteral("20"));
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].answerTime.text, "20");
  p1Time->setCurrentIndex(0);  // picked from the list
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].answerTime.text, "5");
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].answerTime.items,
            (std::vector<std::string>{"5", "10", "15"}))
      << "nothing typed is added to the list";
}

TEST(TitleWindow, EveryKeystrokeInTheGroupBoxIsALoadAndAPickLoadsTheGroup) {
  StartedTitle s;
  Game& game = s.t.game();
  QComboBox* groups = s.view->groupBox();
  groups->lineEdit()->selectAll();
  QTest::keyClicks(groups->lineEdit(), QStringLiteral("zo"));
  EXPECT_EQ(s.t.errors.shown,
            (std::vector<std::string>{"Cannot open file z.", "Cannot open file zo."}));
  EXPECT_EQ(groups->currentText(), QStringLiteral("zo")) << "nothing completes the name";
  QTest::keyClicks(groups->lineEdit(), QStringLiteral("o.set"));
  EXPECT_EQ(game.screen<QuizScreen>().questions.at(2), "Zoo?");
  EXPECT_EQ(game.screen<TitleScreen>().groupBox.text, "zoo.set");

  s.t.errors.shown.clear();
  groups->setCurrentIndex(0);  // picked from the list
  EXPECT_EQ(game.screen<QuizScreen>().questions.at(2), "Animals?");
  EXPECT_TRUE(s.t.errors.shown.empty());
  QTest::keyClick(groups->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(groups->count(), 2) << "Enter adds nothing to the list";
}

TEST(TitleWindow, TheGroupListIsBuiltWhenItFirstOpensAndScrollsPastEightEntries) {
  StartedTitle s(true, 12);
  QComboBox* groups = s.view->groupBox();
  // The boxes build no more of their lists at start than Qt builds for any filled
  // drop-down (Qt 6.4 builds none, Qt 6.8 builds one as items go in): making them
  // editable the usual way built each list at once and held up the title's start.
  QComboBox plain;
  plain.addItem(QStringLiteral("default.set"));
  const bool qtBuildsTheList = !plain.findChildren<QAbstractItemView*>().isEmpty();
  for (QComboBox* box :
       {s.view->answerTimeBox(kFirstContestant), s.view->answerTimeBox(kSecondContestant), groups})
    EXPECT_EQ(!box->findChildren<QAbstractItemView*>().isEmpty(), qtBuildsTheList)
        << qPrintable(box->objectName());
  EXPECT_EQ(groups->completer(), nullptr);
  EXPECT_EQ(groups->font(), s.view->setupPanel()->font()) << "the panel's caption face";
  EXPECT_EQ(groups->lineEdit()->font(), s.view->setupPanel()->font());

  groups->showPopup();
  QAbstractItemView* list = groups->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
  EXPECT_EQ(list->model()->rowCount(), 14);
  EXPECT_TRUE(list->verticalScrollBar()->isVisible()) << "eight rows show, the rest scroll";
  EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
  const QModelIndex third = list->model()->index(2, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(third).center());
  EXPECT_FALSE(list->window()->isVisible());
  EXPECT_EQ(groups->currentText(), QStringLiteral("g02.set"));
  EXPECT_EQ(s.t.game().screen<QuizScreen>().questions.at(2), "Group?");
  EXPECT_TRUE(s.t.errors.shown.empty());
}

TEST(TitleWindow, RefreshFillsTheDropDownWithoutLoadingAnything) {
  StartedTitle s(false);  // no names.etc: the drop-down keeps its built-in entry
  ASSERT_EQ(s.t.errors.shown.front(), "Cannot open file names.etc.");
  s.t.errors.shown.clear();
  QComboBox* groups = s.view->groupBox();
  ASSERT_EQ(groups->count(), 1);
  EXPECT_EQ(groups->itemText(0), QStringLiteral("default.set"));
  EXPECT_EQ(child<QLineEdit>(*s.view, "name1")->text(), QStringLiteral("Name1"));

  QTest::mouseClick(child<QPushButton>(*s.view, "refreshButton"), Qt::LeftButton);
  ASSERT_EQ(groups->count(), 2);
  EXPECT_EQ(groups->itemText(1), QStringLiteral("zoo.set"));
  EXPECT_EQ(groups->currentText(), QStringLiteral("CHOOSE A GROUP"));
  EXPECT_TRUE(s.t.errors.shown.empty());
  EXPECT_EQ(s.t.game().screen<QuizScreen>().questions.at(0), "Questions");
}

TEST(TitleWindow, RefusedBoxesTurnRedAndStayRed) {
  StartedTitle s;
  Game& game = s.t.game();
  const QColor normal = textColour(s.view->answerTimeBox(kFirstContestant));
  EXPECT_NE(normal, QColor(255, 0, 0));
  auto* play = child<QPushButton>(*s.view, "playButton");

  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(textColour(s.view->groupBox()), QColor(255, 0, 0));
  EXPECT_EQ(textColour(s.view->answerTimeBox(kFirstContestant)), normal);

  s.view->groupBox()->setCurrentIndex(1);
  s.view->answerTimeBox(kSecondContestant)->setEditText(QString());
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(textColour(s.view->answerTimeBox(kFirstContestant)), QColor(255, 0, 0));
  EXPECT_EQ(textColour(s.view->answerTimeBox(kSecondContestant)), QColor(255, 0, 0));
  EXPECT_FALSE(game.screen<Introduction>().visible());
  saveShot(*s.view, "title-red.png");

  s.view->answerTimeBox(kSecondContestant)->setCurrentIndex(1);
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(game.screen<Introduction>().visible());
  EXPECT_EQ(s.t.quizTune.log, std::vector<std::string>{"open 10.MID"});
  EXPECT_EQ(textColour(s.view->answerTimeBox(kSecondContestant)), QColor(255, 0, 0));
  EXPECT_EQ(textColour(s.view->groupBox()), QColor(255, 0, 0));
}

TEST(TitleWindow, CloseAndSettingsSwapThePanelAndTheButton) {
  StartedTitle s;
  auto* settings = child<QPushButton>(*s.view, "settingsButton");
  QTest::mouseClick(child<QPushButton>(*s.view, "closeSetupButton"), Qt::LeftButton);
  EXPECT_FALSE(s.view->setupPanel()->isVisible());
  EXPECT_TRUE(settings->isVisible());
  saveShot(*s.view, "title-closed.png");

  // A refusal opens the panel again but leaves Settings where it is.
  QTest::mouseClick(child<QPushButton>(*s.view, "playButton"), Qt::LeftButton);
  EXPECT_TRUE(s.view->setupPanel()->isVisible());
  EXPECT_TRUE(settings->isVisible());

  QTest::mouseClick(settings, Qt::LeftButton);
  EXPECT_TRUE(s.view->setupPanel()->isVisible());
  EXPECT_FALSE(settings->isVisible());
}

TEST(TitleWindow, ExitWritesTheEntriesAndEndsTheProgram) {
  StartedTitle s;
  auto* name1 = child<QLineEdit>(*s.view, "name1");
  name1->selectAll();
  QTest::keyClicks(name1, QStringLiteral("Cy"));
  QTest::mouseClick(child<QPushButton>(*s.view, "exitButton"), Qt::LeftButton);
  EXPECT_TRUE(s.t.game().ended());
  EXPECT_EQ(readFile("names.etc"), namesFile("Cy", "Bob", "Rex", "Goldie", "3", "1", "10", "5"));
}

// Scrolling over the setup panel changes no drop-down the player has not chosen.
TEST(TitleWindow, TheWheelChangesOnlyTheDropDownThatHoldsTheKeyboard) {
  StartedTitle s;
  Game& game = s.t.game();
  QComboBox* time1 = s.view->answerTimeBox(kFirstContestant);
  QComboBox* groups = s.view->groupBox();
  const auto wheel = [](QComboBox* box) {
    const QPointF at = box->rect().center();
    QWheelEvent event(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &event);
  };
  const std::string timeBefore =
      game.screen<TitleScreen>().entries[kFirstContestant].answerTime.text;
  const std::string groupBefore = game.screen<TitleScreen>().groupBox.text;
  s.view->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(s.view));
  s.view->findChild<QPushButton*>("playButton")->setFocus();
  wheel(time1);
  wheel(groups);
  EXPECT_EQ(game.screen<TitleScreen>().entries[kFirstContestant].answerTime.text, timeBefore);
  EXPECT_EQ(game.screen<TitleScreen>().groupBox.text, groupBefore);
  EXPECT_TRUE(s.t.errors.shown.empty());

  time1->setFocus();
  ASSERT_TRUE(time1->hasFocus());
  wheel(time1);
  EXPECT_NE(game.screen<TitleScreen>().entries[kFirstContestant].answerTime.text, timeBefore)
      << "the chosen box still scrolls";
}

TEST(TitleWindow, PlayHoldsTheKeyboardAtStart) {
  StartedTitle s;
  EXPECT_EQ(s.view->focusWidget(), s.view->findChild<QPushButton*>("playButton"));
}
