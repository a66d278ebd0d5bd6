// The bundled sample community site: a small HTTP server on 127.0.0.1 that
// answers the root, every section path and the pages the tests need.
#pragma once

#include <string>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _GTlsCertificate GTlsCertificate;

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

    // Also answers HTTPS, on a second free port, with this certificate and
    // its private key. False when the server cannot listen there.
    bool ServeHttps(GTlsCertificate* certificate);
    // "https://127.0.0.1:<port>", empty while HTTPS is off.
    std::string SecureRoot() const;

    // Every request answered so far, as scheme://host:port/path?query.
    const std::vector<std::string>& Requests() const { return requests_; }

private:
    friend struct Handler;
    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    unsigned securePort_ = 0;
    std::vector<std::string> requests_;
};

// The page's title for a path and query that is not one of the test pages.
std::string SectionTitle(const std::string& pathAndQuery);

}  // namespace site
