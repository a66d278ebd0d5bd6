// The bundled sample community site: a small HTTP server on 127.0.0.1 that
// answers the root, every section path and the pages the tests need.
#pragma once

#include <string>

typedef struct _SoupServer SoupServer;

namespace site {

class SiteServer {
public:
    // Port 0 picks a free one. Runs on GLib's default main context.
    explicit SiteServer(unsigned port = 0);
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    bool Ok() const { return server_ != nullptr; }
    unsigned Port() const { return port_; }
    // "http://127.0.0.1:<port>"
    std::string Root() const;

private:
    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
};

// The page's title for a path and query that is not one of the test pages.
std::string SectionTitle(const std::string& pathAndQuery);

}  // namespace site
