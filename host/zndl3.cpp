#include "host/zndl3.h"

#include "host/host_lists.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "shell/game.h"

namespace zndl {
namespace {

constexpr const char* kOpen = "\u201C";
constexpr const char* kClose = "\u201D";
constexpr const char* kListFiles[] = {"banter", "describe", "jobs", "after.job"};

std::string quoted(const std::string& text) {
  return kOpen + text + kClose;
}

// One of entries 1 .. count-1: the first entry of a list is never drawn.
std::string pickAfterFirst(Game& game, const TextList& list) {
  return list.at(1 + game.Random(list.count() - 1));
}

// The title tune is put away for good when an introduction ends. A tune whose file
// never opened may refuse to stop or close; the hand-over must still run every one of
// its steps, so that refusal is swallowed here rather than ending the handler.
void stopAndCloseTitleTune(TunePlayer& tune) {
  try {
    tune.stop();
  } catch (const Error&) {
  }
  try {
    tune.close();
  } catch (const Error&) {
  }
}

}  // namespace

void saveListToFile(const TextList& list, const std::string& fileName) {
  if (!list.loadedFromFile() && fileio::exists(fileName)) return;
  list.saveToFile(fileName);
}

TChatBox::TChatBox(Game& game)
    : Screen(game, kAppTitle),
      Memo1(builtin::script()),
      Memo2(builtin::descriptions()),
      Memo3(builtin::jobs()),
      Memo4(builtin::afterJobs()) {}

void TChatBox::FormCreate() {
  Memo1.loadFromFile(kListFiles[0]);
  Memo2.loadFromFile(kListFiles[1]);
  Memo3.loadFromFile(kListFiles[2]);
  Memo4.loadFromFile(kListFiles[3]);
}

void TChatBox::saveLists() const {
  saveListToFile(Memo1, kListFiles[0]);
  saveListToFile(Memo2, kListFiles[1]);
  saveListToFile(Memo3, kListFiles[2]);
  saveListToFile(Memo4, kListFiles[3]);
}

std::string TChatBox::jobLine(const std::string& name) {
  const std::string job = pickAfterFirst(game_, Memo3);
  const std::string afterJob = pickAfterFirst(game_, Memo4);
  return kOpen + name + " is a " + job + " " + afterJob + "." + kClose;
}

void TChatBox::Timer1Timer() {
  Game& g = game_;
  const TZNDLbox1& title = g.ZNDLbox1;
  std::string& line = ChatText.text;
  if (g.ScriptLine > 0) line = quoted(Memo1.at(g.ScriptLine - 1));
  // A hidden screen holds its place: Alt-F4 in the middle of a script, and the next
  // Play goes on from there.
  if (visible()) ++g.ScriptLine;
  if (line == quoted("<END>") && visible()) handOver();

  // Each test looks at the line as it stands now, so an expansion can itself be a
  // later tag (a description reading "<NAMES>"), never an earlier one.
  if (line == quoted("<DESCRIPTION>")) line = quoted(Memo2.at(g.Random(4)));
  if (line == quoted("<NAMES>"))
    line = std::string(kOpen) + "And now let\u2019s meet our contestants, " + title.Name1 +
           " and " + title.Name2 + kClose;
  if (line == quoted("<PETS>"))
    line = std::string(kOpen) + "Let\u2019s also meet " + title.Name1 + "\u2019s " +
           title.petType1Text() + ", " + title.PetName1 + ", and " + title.Name2 + "\u2019s " +
           title.petType2Text() + ", " + title.PetName2 + "." + kClose;
  if (line == quoted("<JOBS ETC. 1>")) line = jobLine(title.Name1);
  if (line == quoted("<JOBS ETC. 2>")) line = jobLine(title.Name2);
}

void TChatBox::handOver() {
  Game& g = game_;
  g.PlayBox.show();
  g.ScriptLine = 0;
  stopAndCloseTitleTune(g.ZNDLbox1.MediaBox);
  hide();
}

void TChatBox::Button1Click() {
  Game& g = game_;
  g.ScriptLine = 0;
  hide();
  g.PlayBox.show();
  stopAndCloseTitleTune(g.ZNDLbox1.MediaBox);
}

}  // namespace zndl
