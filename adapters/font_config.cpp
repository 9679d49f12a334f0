// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/font_config.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace zndl {

namespace {

bool namesACacheFolder(FcConfig* config) {
  FcStrList* folders = FcConfigGetCacheDirs(config);
  if (!folders) return false;
  const bool any = FcStrListNext(folders) != nullptr;
  FcStrListDone(folders);
  return any;
}

}  // namespace

bool loadFontConfiguration() {
  if (const char* debug = std::getenv("FC_DEBUG"); debug && *debug) return false;
  FcConfig* config = FcConfigCreate();
  if (!config) return false;
  // The configuration FONTCONFIG_FILE or FONTCONFIG_PATH leads to, or the system's; a
  // missing one is left for fontconfig's own start to report.
  const bool ready = FcConfigParseAndLoad(config, nullptr, FcFalse) &&
                     namesACacheFolder(config) && FcConfigBuildFonts(config) &&
                     FcConfigSetCurrent(config);
  // The process's configuration holds its own reference.
  FcConfigDestroy(config);
  return ready;
}

}  // namespace zndl
