// SPDX-License-Identifier: GPL-3.0-or-later
// The game reads the font configuration itself, ahead of the toolkit; it must choose and
// draw every font exactly as fontconfig's own start would. Each test runs in a process of
// its own (fontconfig's configuration is the process's), so this file is its own program.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "adapters/font_config.h"

namespace zndl {
namespace {

// What a match decides: the file and face, and how its glyphs are drawn.
std::string describeMatch(FcConfig* config, const char* request) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return "no match";
  FcObjectSet* chosen = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_STYLE, FC_ANTIALIAS,
                                         FC_HINTING, FC_HINT_STYLE, FC_AUTOHINT, FC_RGBA,
                                         FC_LCD_FILTER, FC_EMBOLDEN, FC_EMBEDDED_BITMAP,
                                         FC_PIXEL_SIZE, FC_MATRIX, nullptr);
  FcPattern* decided = FcPatternFilter(match, chosen);
  FcChar8* text = FcNameUnparse(decided);
  std::string out = text ? reinterpret_cast<const char*>(text) : "";
  FcStrFree(text);
  FcPatternDestroy(decided);
  FcObjectSetDestroy(chosen);
  FcPatternDestroy(match);
  return out;
}

std::vector<std::string> listedFiles(FcConfig* config) {
  FcPattern* all = FcPatternCreate();
  FcObjectSet* files = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
  FcFontSet* set = FcFontList(config, all, files);
  std::vector<std::string> out;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcChar8* text = FcNameUnparse(set->fonts[i]);
    out.emplace_back(reinterpret_cast<const char*>(text));
    FcStrFree(text);
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(files);
  FcPatternDestroy(all);
  return out;
}

TEST(FontConfiguration, ChoosesAndDrawsEveryFontAsFontconfigsOwnStartWould) {
  ASSERT_TRUE(loadFontConfiguration());
  FcConfig* ours = FcConfigGetCurrent();
  FcConfig* theirs = FcInitLoadConfigAndFonts();
  ASSERT_NE(theirs, nullptr);
  ASSERT_NE(ours, theirs);

  EXPECT_EQ(listedFiles(ours), listedFiles(theirs));
  EXPECT_FALSE(listedFiles(ours).empty());
  // The faces the game asks for, the generic families, and requests that go through the
  // configuration's aliases, language rules and synthetic bold.
  for (const char* request :
       {"Arial-11", "Arial-11:bold", "Verdana-24", "Liberation Sans-11", "Times New Roman-14",
        "Comic Sans MS-12", "sans-serif-9", "serif-10", "monospace-10", "DejaVu Sans-8",
        "sans-serif:lang=ja", "sans-serif:lang=ar", "Helvetica:italic", "Courier:pixelsize=13",
        "no such family at all"}) {
    SCOPED_TRACE(request);
    EXPECT_EQ(describeMatch(ours, request), describeMatch(theirs, request));
  }
  FcConfigDestroy(theirs);
  // Asked again, fontconfig keeps what is in place.
  EXPECT_TRUE(FcInit());
  EXPECT_EQ(FcConfigGetCurrent(), ours);
}

// Each case below runs in a fresh process: the game's start is the first user there.
class FontConfigurationAlone : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FontConfigurationAlone, AConfigurationThatCannotBeReadIsLeftToFontconfig) {
  // A missing file: nothing is put in place, and fontconfig's own start still finds a
  // configuration (its fallback) when the toolkit asks.
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", "/nonexistent/zandoodle/fonts.conf", 1);
        const bool loaded = loadFontConfiguration();
        std::exit(!loaded && FcInit() && FcConfigGetCurrent() != nullptr ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FontConfigurationAlone, AConfigurationWithoutACacheFolderIsLeftToFontconfig) {
  // fontconfig's own start warns about it and adds its cache folders; that stays its job.
  const std::string file = ::testing::TempDir() + "zandoodle-no-cache-fonts.conf";
  std::FILE* out = std::fopen(file.c_str(), "w");
  ASSERT_NE(out, nullptr);
  std::fputs("<?xml version=\"1.0\"?>\n<fontconfig><dir>/usr/share/fonts</dir></fontconfig>\n",
             out);
  std::fclose(out);
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", file.c_str(), 1);
        std::exit(loadFontConfiguration() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
  std::remove(file.c_str());
}

TEST_F(FontConfigurationAlone, FontconfigReportsItsOwnStartWhenAskedTo) {
  EXPECT_EXIT(
      {
        setenv("FC_DEBUG", "1", 1);
        std::exit(loadFontConfiguration() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zndl
