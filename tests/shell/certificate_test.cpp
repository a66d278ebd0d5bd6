// A site whose certificate the engine does not trust is never opened: the
// site never sees the request, the page shows WebKit's error page and the
// status bar says why.
#include <libsoup/soup.h>
#include <webkit2/webkit2.h>

#include <cstdlib>
#include <functional>

#include "shell_fixture.h"

using namespace e2e;

namespace {

// A self-signed certificate for 127.0.0.1, made for this run.
GTlsCertificate* MakeSelfSignedCertificate() {
    const std::string dir = getenv("XDG_RUNTIME_DIR");
    const std::string cert = dir + "/site-cert.pem", key = dir + "/site-key.pem";
    const std::string cmd = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1"
                            " -addext subjectAltName=IP:127.0.0.1 -keyout '" + key + "' -out '" + cert +
                            "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return nullptr;
    return g_tls_certificate_new_from_files(cert.c_str(), key.c_str(), nullptr);
}

// What the site answers a client that accepts any certificate.
std::string FetchTrustingAnything(const std::string& address) {
    struct State {
        bool done = false;
        std::string body;
    } st;
    SoupSession* session = soup_session_new();
    SoupMessage* msg = soup_message_new("GET", address.c_str());
    g_signal_connect(msg, "accept-certificate",
                     G_CALLBACK(+[](SoupMessage*, GTlsCertificate*, GTlsCertificateFlags, gpointer) -> gboolean {
                         return TRUE;
                     }),
                     nullptr);
    soup_session_send_and_read_async(
        session, msg, G_PRIORITY_DEFAULT, nullptr,
        +[](GObject* src, GAsyncResult* res, gpointer data) {
            auto* s = static_cast<State*>(data);
            if (GBytes* b = soup_session_send_and_read_finish(SOUP_SESSION(src), res, nullptr)) {
                gsize n = 0;
                const auto* p = static_cast<const char*>(g_bytes_get_data(b, &n));
                s->body.assign(p ? p : "", n);
                g_bytes_unref(b);
            }
            s->done = true;
        },
        &st);
    RunUntil([&] { return st.done; });
    g_object_unref(msg);
    g_object_unref(session);
    return st.body;
}

// The domain of the last load failure a view reports.
struct FailureWatch {
    explicit FailureWatch(WebKitWebView* v) : view(v) {
        id = g_signal_connect(view, "load-failed",
                              G_CALLBACK(+[](WebKitWebView*, int, char*, GError* err, gpointer d) -> gboolean {
                                  static_cast<FailureWatch*>(d)->domain = err ? err->domain : 0;
                                  return FALSE;
                              }),
                              this);
    }
    ~FailureWatch() { g_signal_handler_disconnect(view, id); }
    WebKitWebView* view;
    gulong id = 0;
    GQuark domain = 0;
};

bool SecureRequestSeen(const site::SiteServer& site) {
    for (const auto& r : site.Requests())
        if (r.rfind("https:", 0) == 0) return true;
    return false;
}

}  // namespace

TEST_F(ShellTest, AnUntrustedCertificateShowsTheErrorPageAndTheSiteNeverSeesTheRequest) {
    GTlsCertificate* cert = MakeSelfSignedCertificate();
    ASSERT_NE(cert, nullptr) << "openssl could not make a certificate";
    ASSERT_TRUE(site->ServeHttps(cert));
    g_object_unref(cert);
    const std::string address = site->SecureRoot() + "/target";
    const struct {
        const char* how;
        std::function<void(frmWebBrowser*)> open;
    } ways[] = {
        {"typed address", [&](frmWebBrowser* p) { p->WebBrowser1->Navigate(address); }},
        {"link pressed on a page",
         [&](frmWebBrowser* p) {
             p->WebBrowser1->Navigate(Url("/to-secure"));
             ASSERT_TRUE(WaitTitle(p, "去安全网站"));
             ASSERT_TRUE(WaitLoaded(p));
             int x = 0, y = 0;
             ASSERT_TRUE(ElementCenter(*p->WebBrowser1, "#go", &x, &y));
             XClick(x, y);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        frmWebBrowser* p = Active();
        FailureWatch watch(p->WebBrowser1->View());
        way.open(p);
        ASSERT_TRUE(RunUntil([&] { return watch.domain != 0; }));
        EXPECT_EQ(watch.domain, G_TLS_ERROR);
        const std::string status = "无法打开网页 " + address + "（网站的安全证书不可信）";
        // The status stays on the failure once WebKit's error page is up.
        ASSERT_TRUE(RunUntil([&] {
            return p->WebBrowser1->LocationURL() == address && !p->WebBrowser1->IsLoading() &&
                   frame->StatusBar1SimpleText() == status;
        })) << frame->StatusBar1SimpleText();
        Pump(300);
        EXPECT_EQ(frame->StatusBar1SimpleText(), status);
        // WebKit's error page with its reason, not the page.
        const std::string text = Eval(*p->WebBrowser1, "document.body.innerText");
        EXPECT_NE(text.find("TLS"), std::string::npos) << text;
        EXPECT_EQ(text.find("目标页"), std::string::npos) << text;
        EXPECT_NE(p->Caption(), "目标页");
        EXPECT_FALSE(SecureRequestSeen(*site));
        // 刷新 tries again and fails again.
        watch.domain = 0;
        frame->Toolbar1_ButtonClick(4);
        ASSERT_TRUE(RunUntil([&] { return watch.domain != 0; }));
        EXPECT_EQ(watch.domain, G_TLS_ERROR);
        ASSERT_TRUE(WaitLoaded(p));
        EXPECT_EQ(Eval(*p->WebBrowser1, "document.body.innerText").find("目标页"), std::string::npos);
        EXPECT_FALSE(SecureRequestSeen(*site));
    }
    // The site does answer there: a client that trusts anything gets the page.
    EXPECT_NE(FetchTrustingAnything(address).find("目标页"), std::string::npos);
    EXPECT_TRUE(SecureRequestSeen(*site));
}

TEST_F(ShellTest, AnAddressNothingAnswersShowsTheErrorPageAndKeepsTheFailureInTheStatusBar) {
    // A port that was free a moment ago: nothing listens there.
    GSocket* sock = g_socket_new(G_SOCKET_FAMILY_IPV4, G_SOCKET_TYPE_STREAM, G_SOCKET_PROTOCOL_TCP, nullptr);
    ASSERT_NE(sock, nullptr);
    GInetAddress* lo = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* any = g_inet_socket_address_new(lo, 0);
    ASSERT_TRUE(g_socket_bind(sock, any, FALSE, nullptr));
    GSocketAddress* bound = g_socket_get_local_address(sock, nullptr);
    const unsigned port = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(bound));
    g_object_unref(bound);
    g_object_unref(any);
    g_object_unref(lo);
    g_socket_close(sock, nullptr);
    g_object_unref(sock);
    const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/";

    frmWebBrowser* p = Active();
    FailureWatch watch(p->WebBrowser1->View());
    p->WebBrowser1->Navigate(address);
    ASSERT_TRUE(RunUntil([&] { return watch.domain != 0; }));
    ASSERT_TRUE(RunUntil([&] { return p->WebBrowser1->LocationURL() == address && !p->WebBrowser1->IsLoading(); }));
    Pump(300);
    EXPECT_EQ(frame->StatusBar1SimpleText(), "无法打开网页 " + address);
    EXPECT_FALSE(Eval(*p->WebBrowser1, "document.body.innerText").empty());
    // The next page that opens reports as usual again.
    p->WebBrowser1->Navigate(Url("/target"));
    ASSERT_TRUE(WaitTitle(p, "目标页"));
    EXPECT_TRUE(RunUntil([&] { return frame->StatusBar1SimpleText() == "完成"; }));
}
