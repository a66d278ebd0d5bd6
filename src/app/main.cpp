// 青禾坊教育社区专用浏览器: the frame on the community site.
#include <gtk/gtk.h>

#include "platform/gtk/gtk_backend.h"
#include "platform/user32.h"
#include "shell/frmMain.h"

namespace {
constexpr const char* kCommunityRoot = "http://www.qinghefang.cn";
}

int main(int argc, char** argv) {
    gtkui::InstallFontSubstitutes();
    gtk_init(&argc, &argv);
    user32::SetBackend(&gtkui::GtkWindowBackend::Instance());
    {
        frmMain frame(kCommunityRoot);
        frame.Show();
        gtk_main();
    }
    user32::SetBackend(nullptr);
    return 0;
}
