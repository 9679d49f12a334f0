// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "host/text_list.h"
#include "platform/random.h"
#include "quiz/question_store.h"

namespace {

// A sectioned group of `questions` questions, seven lines each, with its end marker.
zndl::TextList makeGroup(int questions) {
  zndl::TextList lines{"(ZNDL v4)", "Timing group"};
  for (int i = 1; i <= questions; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& line :
         {zndl::questionMarker(i), "Question " + n + "?", zndl::correctMarker(i), "Right " + n,
          zndl::wrongMarker(i), "Wrong " + n + "-a", "Wrong " + n + "-b"})
      lines.append(line);
  }
  lines.append(zndl::questionMarker(questions + 1));
  return lines;
}

const zndl::QuestionStore& groupOf(int questions) {
  static std::map<int, zndl::QuestionStore> groups;
  auto it = groups.find(questions);
  if (it == groups.end())
    it = groups.emplace(questions, zndl::QuestionStore(makeGroup(questions))).first;
  return it->second;
}

// Loading the last question of a group, the way CONTINUE does: its text, pools and
// shuffles. This must not grow with the size of the group.
void LoadLastQuestion(benchmark::State& state) {
  const int questions = static_cast<int>(state.range(0));
  const zndl::QuestionStore& store = groupOf(questions);
  zndl::TextList wrong, correct;
  zndl::ClockRandom random(42);
  for (auto _ : state) {
    auto q = zndl::loadQuestion(store, questions, wrong, correct, random);
    benchmark::DoNotOptimize(q);
  }
  state.SetLabel(std::to_string(store.count()) + " lines");
}
BENCHMARK(LoadLastQuestion)->Arg(10)->Arg(1000)->Arg(100000);

// For comparison: finding the last question's marker by reading the group from the
// top, which is what every load would cost without the store's index.
void FindLastMarkerFromTheTop(benchmark::State& state) {
  const int questions = static_cast<int>(state.range(0));
  const zndl::TextList& lines = groupOf(questions).lines();
  const std::string marker = zndl::questionMarker(questions);
  for (auto _ : state) benchmark::DoNotOptimize(lines.find(marker));
}
BENCHMARK(FindLastMarkerFromTheTop)->Arg(10)->Arg(1000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
