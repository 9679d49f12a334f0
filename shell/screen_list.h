// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <type_traits>

namespace zndl {

template <class ScreenType, class ViewType>
struct ShownIn {
  using Screen = ScreenType;
  using View = ViewType;
};

template <class... Entries>
struct ScreenTable {
  static constexpr std::size_t size = sizeof...(Entries);

  // Calls f.template operator()<Entry>() for each entry, in order.
  template <class F>
  static void forEach(F&& f) {
    (f.template operator()<Entries>(), ...);
  }

  template <class Screen>
  static constexpr std::size_t indexOf() {
    return find<Screen, typename Entries::Screen...>();
  }
  template <class View>
  static constexpr std::size_t indexOfView() {
    return find<View, typename Entries::View...>();
  }

 private:
  template <class Wanted, class... Listed>
  static constexpr std::size_t find() {
    constexpr bool found[] = {std::is_same_v<Wanted, Listed>...};
    for (std::size_t i = 0; i < sizeof...(Listed); ++i)
      if (found[i]) return i;
    return sizeof...(Listed);
  }
};

// The screens in the order they are made at start, each with the window that shows it.
// This is the one list of them: the game makes each screen and runs its creation step
// from here, and the program builds each window, its timer and its place in front from
// here. A new screen is added to this list and nowhere else. (Each "class" names its
// type for the list's sake: the core needs only the screens, the program the windows.)
// clang-format off
using GameScreens = ScreenTable<
    ShownIn<class TitleScreen, class TitleView>,
    ShownIn<class QuizScreen, class QuizView>,
    ShownIn<class Introduction, class IntroductionView>,
    ShownIn<class SettingsDialog, class SettingsDialogView>,
    ShownIn<class Notice, class NoticeView>,
    ShownIn<class Finale, class FinaleView>,
    ShownIn<class TieBreak, class TieBreakView>,
    ShownIn<class CoinCall, class CoinCallView>,
    ShownIn<class InternetSites, class InternetSitesView>>;
// clang-format on

}  // namespace zndl
