// Serves the sample community site until killed: qinghefang-site [port]
#include <glib.h>

#include <cstdio>
#include <cstdlib>

#include "site/site_server.h"

int main(int argc, char** argv) {
    site::SiteServer server(argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 0);
    if (!server.Ok()) {
        std::fprintf(stderr, "qinghefang-site: cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("%s\n", server.Root().c_str());
    std::fflush(stdout);
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop);
    return 0;
}
