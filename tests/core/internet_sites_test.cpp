// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fakes/test_game.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Names = std::vector<std::string>;

}  // namespace

TEST(InternetSites, LinksOpenTheWebPageWithItsIndexAndMailWithMailto) {
  TestGame t;
  InternetSites& sites = t->screen<InternetSites>();
  sites.onMakerSiteClicked();
  sites.onGameSiteClicked();
  sites.onGameMailClicked();
  sites.onMakerMailClicked();
  EXPECT_EQ(t.desktop.opened,
            (Names{"http://www.vormle.example/", "http://www.vormle.example/zandoodle/index.htm",
                   "mailto:zandoodle@vormle.example", "mailto:info@vormle.example"}));
  // The addresses shown are the bare ones.
  EXPECT_EQ(sites.gameSite.text.back(), '/');
  EXPECT_EQ(sites.gameMail.text.find("mailto:"), std::string::npos);
}

TEST(InternetSites, CopyButtonsCarryTheAddressAsShownThroughTheCarrierField) {
  TestGame t;
  InternetSites& sites = t->screen<InternetSites>();
  EXPECT_EQ(sites.clipboardCarrier, "Edit1");
  const std::pair<void (InternetSites::*)(), const LinkLabel*> rows[] = {
      {&InternetSites::onCopyMakerSite, &sites.makerSite},
      {&InternetSites::onCopyGameSite, &sites.gameSite},
      {&InternetSites::onCopyGameMail, &sites.gameMail},
      {&InternetSites::onCopyMakerMail, &sites.makerMail}};
  for (const auto& [copy, link] : rows) {
    (sites.*copy)();
    EXPECT_EQ(sites.clipboardCarrier, link->text);
    EXPECT_EQ(t.desktop.clipboard, link->text);
  }
  EXPECT_TRUE(t.desktop.opened.empty());
}

TEST(InternetSites, ALinkStaysLitUntilThePointerCrossesTheBackground) {
  TestGame t;
  InternetSites& sites = t->screen<InternetSites>();
  sites.onHoverMakerSite();
  sites.onHoverGameSite();  // straight onto the next link
  EXPECT_TRUE(sites.makerSite.hot);
  EXPECT_TRUE(sites.gameSite.hot);
  EXPECT_FALSE(sites.gameMail.hot || sites.makerMail.hot);
  sites.onHoverBackground();
  for (const LinkLabel* link :
       {&sites.makerSite, &sites.gameSite, &sites.gameMail, &sites.makerMail})
    EXPECT_FALSE(link->hot) << link->text;
}

TEST(InternetSites, OkHidesTheDialogAndItComesBackAsItWasLeft) {
  TestGame t;
  t->start();
  t.run([&] { t->screen<TitleScreen>().onInternet(); });
  t->screen<InternetSites>().onHoverMakerMail();
  t.run([&] { t->screen<InternetSites>().onOk(); });
  EXPECT_FALSE(t->screen<InternetSites>().visible());
  EXPECT_TRUE(t->screen<TitleScreen>().visible());
  t.run([&] { t->screen<TitleScreen>().onInternet(); });
  EXPECT_TRUE(t->screen<InternetSites>().visible());
  EXPECT_TRUE(t->screen<InternetSites>().makerMail.hot);
}
