#include "platform/numbers.h"
#include "quiz/zndl2.h"
#include "shell/game.h"

namespace zndl {
namespace {

int livesAfterLoss(int lives) {
  return lives > 0 ? lives - 1 : 0;
}

// A score of nothing. Assigned as a string rather than as the literal "0": GCC 12 at -O3
// misreads a one-letter literal assignment as an overlapping copy (-Wrestrict).
const std::string kNoPoints = "0";

}  // namespace

TPlayBox::TPlayBox(Game& game) : Screen(game, kAppTitle), TimeTune(game.ports.quizTune) {}

void TPlayBox::FormCreate() {
  game_.QuestionNo = 1;
}

void TPlayBox::Button2Click() {
  const int n = game_.QuestionNo;
  Button2.visible = false;
  Panel.visible = false;
  game_.QuestionStep = 1;
  Label6.visible = Label7.visible = Label8.visible = Label9.visible = false;
  game_.CorrectSlot = 1 + game_.Random(3);
  const LoadedQuestion q = loadQuestion(Questions, n, Memo1, Yes, game_.ports.random);
  Label6.text = q.text;
  // The correct answer takes its drawn slot; the wrong answers fill the other two in
  // pool order.
  const std::string& a = game_.CorrectSlot == 1 ? q.correct : q.wrong0;
  const std::string& b = game_.CorrectSlot == 1   ? q.wrong0
                         : game_.CorrectSlot == 2 ? q.correct
                                                  : q.wrong1;
  const std::string& c = game_.CorrectSlot == 3 ? q.correct : q.wrong1;
  Label7.text = "A- " + a;
  Label8.text = "B- " + b;
  Label9.text = "C- " + c;
  if (Lives1 > 0 && Lives2 > 0 && Questions.find(questionMarker(n + 1)) != -1) return;
  game_.QuestionStep = kIdle;
  EndOfGame();
}

void TPlayBox::Timer1Timer() {
  int& step = game_.QuestionStep;
  if (step == 1) Label6.visible = true;
  if (step == 2) Label7.visible = true;
  if (step == 3) Label8.visible = true;
  if (step == 4) {
    Label9.visible = true;
    const std::string& time =
        TrackBar1 == 0 ? game_.ZNDLbox1.P1Time.text : game_.ZNDLbox1.P2Time.text;
    Label10.text = time;
    playTune(time + ".MID");
  }
  if (step >= 1 && step <= 4) ++step;
  if (step == kCountdown) {
    // Only a time box edited in mid-game makes the countdown anything but a positive
    // whole number; such a countdown has simply run out.
    const auto left = parseWholeNumber(Label10.text);
    Label10.text = left && *left > 0 ? std::to_string(*left - 1) : "0";
  }
  if (Label10.text == "0") step = kTimeUp;
  if (step <= 100) return;
  judge();
}

void TPlayBox::judge() {
  int& step = game_.QuestionStep;
  ++game_.QuestionNo;
  int& lives = TrackBar1 == 0 ? Lives1 : Lives2;
  std::string& score = TrackBar1 == 0 ? Score1 : Score2;
  if (step == kTimeUp) {
    lives = livesAfterLoss(lives);
    Panel.text = kTimesUp;
  }
  if (step == kCorrect) {
    Panel.text = "CORRECT";
    score = std::to_string(parseWholeNumber(score).value_or(0) + 1);
  }
  if (step == kWrong) {
    lives = livesAfterLoss(lives);
    Panel.text = "WRONG";
    step = kTimeUp;
  }
  Label10.text = "15";
  TrackBar1 = TrackBar1 == 0 ? 1 : 0;
  Button2.visible = true;
  TimeTune.stop();
  TimeTune.rewind();
  Panel.visible = true;
  playTune(std::to_string(step) + ".MID");
  step = kIdle;
}

void TPlayBox::playTune(const std::string& fileName) {
  // The questions go on whatever the music does; a tune that will not open is
  // reported once per run rather than at every question.
  TimeTune.stop();
  try {
    TimeTune.open(fileName);
    TimeTune.play();
  } catch (const Error& e) {
    if (tunesReported_.insert(fileName).second) game_.report(e);
  }
}

void TPlayBox::answer(int slot) {
  int& step = game_.QuestionStep;
  if (step != kCountdown) return;
  step = slot == game_.CorrectSlot ? kCorrect : kWrong;
}

void TPlayBox::resetForNextGame(const std::string& countdownText) {
  Score1 = kNoPoints;
  Score2 = kNoPoints;
  Lives1 = 5;
  Lives2 = 5;
  Button2.visible = true;
  Label6.text = "ZANDOODLE CONTINUES...";
  Label7.text = "DO YOU DARE TO PLAY?";
  Label8.text = "DOES YOUR PET KNOW?";
  Label9.text = "DO YOU CARE?";
  Label10.text = countdownText;
}

void TPlayBox::Button1Click() {
  game_.QuestionStep = kIdle;
  game_.QuestionNo = 0;
  resetForNextGame("X");
  close();
  TimeTune.close();
  game_.ZNDLbox1.MediaBox.open("ZNDL.MID");
}

}  // namespace zndl
