// The face names the system asks for do not exist on Linux; these rules give
// them installed families, with WenQuanYi Micro Hei for Chinese, so that no
// caption falls back to boxes.
#include <fontconfig/fontconfig.h>

#include "platform/gtk/gtk_backend.h"

namespace gtkui {

namespace {
constexpr const char* kSubstitutes = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same"><family>Tahoma</family>
    <prefer><family>DejaVu Sans</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>Verdana</family>
    <prefer><family>DejaVu Sans</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>Segoe UI</family>
    <prefer><family>DejaVu Sans</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>Trebuchet MS</family>
    <prefer><family>DejaVu Sans</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>宋体</family>
    <prefer><family>WenQuanYi Micro Hei</family><family>DejaVu Sans</family></prefer></alias>
  <alias binding="same"><family>SimSun</family>
    <prefer><family>WenQuanYi Micro Hei</family><family>DejaVu Sans</family></prefer></alias>
</fontconfig>
)";
}  // namespace

void InstallFontSubstitutes() {
    FcConfig* cfg = FcConfigGetCurrent();
    if (cfg) FcConfigParseAndLoadFromMemory(cfg, reinterpret_cast<const FcChar8*>(kSubstitutes), FcTrue);
}

}  // namespace gtkui
