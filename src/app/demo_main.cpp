// The demo: the browser on the bundled sample site, served on 127.0.0.1.
#include <gtk/gtk.h>

#include <cstdio>

#include "platform/gtk/gtk_backend.h"
#include "platform/user32.h"
#include "shell/frmMain.h"
#include "site/site_server.h"

int main(int argc, char** argv) {
    gtkui::InstallFontSubstitutes();
    gtk_init(&argc, &argv);
    site::SiteServer site;
    if (!site.Ok()) {
        std::fprintf(stderr, "qinghefang-demo: the sample site cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("sample site: %s\n", site.Root().c_str());
    std::fflush(stdout);
    user32::SetBackend(&gtkui::GtkWindowBackend::Instance());
    {
        frmMain frame(site.Root());
        frame.Show();
        gtk_main();
    }
    user32::SetBackend(nullptr);
    return 0;
}
