#include <gtest/gtest.h>

#include "fakes/test_game.h"

using namespace zndl;
using namespace zndl::testing;

namespace {

using Names = std::vector<std::string>;

}  // namespace

TEST(InternetSites, LinksOpenTheWebPageWithItsIndexAndMailWithMailto) {
  TestGame t;
  TForm3& sites = t->Form3;
  sites.Label3Click();
  sites.Label1Click();
  sites.Label2Click();
  sites.Label4Click();
  EXPECT_EQ(t.desktop.opened,
            (Names{"http://www.vormle.example/", "http://www.vormle.example/zandoodle/index.htm",
                   "mailto:zandoodle@vormle.example", "mailto:info@vormle.example"}));
  // The addresses shown are the bare ones.
  EXPECT_EQ(sites.Label1.text.back(), '/');
  EXPECT_EQ(sites.Label2.text.find("mailto:"), std::string::npos);
}

TEST(InternetSites, CopyButtonsCarryTheAddressAsShownThroughEdit1) {
  TestGame t;
  TForm3& sites = t->Form3;
  EXPECT_EQ(sites.Edit1, "Edit1");
  const std::pair<void (TForm3::*)(), const LinkLabel*> rows[] = {
      {&TForm3::SpeedButton1Click, &sites.Label3},
      {&TForm3::SpeedButton2Click, &sites.Label1},
      {&TForm3::SpeedButton3Click, &sites.Label2},
      {&TForm3::SpeedButton4Click, &sites.Label8}};
  for (const auto& [copy, link] : rows) {
    (sites.*copy)();
    EXPECT_EQ(sites.Edit1, link->text);
    EXPECT_EQ(t.desktop.clipboard, link->text);
  }
  EXPECT_TRUE(t.desktop.opened.empty());
}

TEST(InternetSites, ALinkStaysLitUntilThePointerCrossesTheBackground) {
  TestGame t;
  TForm3& sites = t->Form3;
  sites.Label3MouseMove();
  sites.Label1MouseMove();  // straight onto the next link
  EXPECT_TRUE(sites.Label3.hot);
  EXPECT_TRUE(sites.Label1.hot);
  EXPECT_FALSE(sites.Label2.hot || sites.Label8.hot);
  sites.FormMouseMove();
  for (const LinkLabel* link : {&sites.Label3, &sites.Label1, &sites.Label2, &sites.Label8})
    EXPECT_FALSE(link->hot) << link->text;
}

TEST(InternetSites, OkHidesTheDialogAndItComesBackAsItWasLeft) {
  TestGame t;
  t->start();
  t.run([&] { t->ZNDLbox1.Button6Click(); });
  t->Form3.Label8MouseMove();
  t.run([&] { t->Form3.Button1Click(); });
  EXPECT_FALSE(t->Form3.visible());
  EXPECT_TRUE(t->ZNDLbox1.visible());
  t.run([&] { t->ZNDLbox1.Button6Click(); });
  EXPECT_TRUE(t->Form3.visible());
  EXPECT_TRUE(t->Form3.Label8.hot);
}
