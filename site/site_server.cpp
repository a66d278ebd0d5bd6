#include "site/site_server.h"

#include <libsoup/soup.h>

#include <cstring>
#include <string>

namespace site {

namespace {

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" + title +
           "</title><style>body{font-family:sans-serif;margin:16px} a,button{display:block;"
           "margin:6px 0;font-size:16px}</style></head><body>" +
           body + "</body></html>";
}

void Reply(SoupServerMessage* msg, const std::string& html, int status = 200) {
    soup_server_message_set_status(msg, status, nullptr);
    soup_server_message_set_response(msg, "text/html; charset=utf-8", SOUP_MEMORY_COPY, html.data(),
                                     html.size());
}

std::string Escape(const std::string& s) {
    gchar* e = g_markup_escape_text(s.c_str(), -1);
    std::string out(e);
    g_free(e);
    return out;
}

std::string RootPage() {
    return Page("青禾坊教育社区",
                "<h1>青禾坊教育社区</h1>"
                "<a id='blank' href='/target' target='_blank' style='font-size:40px'>新窗口打开目标页</a>"
                "<a href='/popup'>脚本打开新窗口</a>"
                "<a href='/frame'>框架页</a>"
                "<a href='/title-script'>标题会变的网页</a>"
                "<a href='/slow'>很慢的网页</a>"
                "<a href='/long-title'>长标题</a>"
                "<a href='/empty-title'>空标题</a>"
                "<a href='/download'>下载教案</a>"
                "<a href='/login'>登录</a>"
                "<a href='/dialogs'>对话框</a>"
                "<a href='/storm'>弹窗风暴</a>"
                "<a href='/print'>打印</a>");
}

struct Slow {
    SoupServerMessage* msg;
    std::string html;
};

}  // namespace

struct Handler {
    static void Handle(SoupServer* server, SoupServerMessage* msg, const char* path, GHashTable* query,
                       gpointer self);
};

void Handler::Handle(SoupServer* server, SoupServerMessage* msg, const char* path, GHashTable* query,
                     gpointer self) {
    (void)server;
    auto* site = static_cast<SiteServer*>(self);
    GUri* uri = soup_server_message_get_uri(msg);
    gchar* whole = g_uri_to_string(uri);
    site->requests_.push_back(whole ? whole : "");
    g_free(whole);
    const std::string p = path ? path : "/";
    const char* q = g_uri_get_query(uri);
    const std::string full = p + (q ? std::string("?") + q : "");
    SoupMessageHeaders* reqh = soup_server_message_get_request_headers(msg);
    SoupMessageHeaders* resh = soup_server_message_get_response_headers(msg);

    if (p == "/") return Reply(msg, RootPage());
    if (p == "/target") return Reply(msg, Page("目标页", "<h1>目标页</h1>"));
    if (p == "/popup")
        return Reply(msg, Page("脚本弹窗", "<button id='open' style='font-size:40px' "
                                            "onclick=\"window.open('/target')\">打开新窗口</button>"));
    if (p == "/frame")
        return Reply(msg, Page("框架页", "<h1>框架页</h1><iframe id='f' src='/inner' width='400' "
                                         "height='200'></iframe>"));
    if (p == "/inner")
        return Reply(msg, Page("框架内页", "<a id='next' href='/inner2'>框架里的链接</a>"));
    if (p == "/inner2") return Reply(msg, Page("框架第二页", "<p>框架第二页</p>"));
    if (p == "/title-script")
        return Reply(msg, Page("旧标题", "<script>setTimeout(function(){document.title='新标题';},300);"
                                          "</script><p>标题会变</p>"));
    if (p == "/long-title")
        return Reply(msg, Page("这是一个超过十个字符的很长的网页标题", "<p>长标题</p>"));
    if (p == "/empty-title") return Reply(msg, Page("", "<p>空标题</p>"));
    if (p == "/storm")
        return Reply(msg, Page("弹窗风暴",
                               "<button id='storm' style='font-size:40px' onclick=\"for(var i=0;i<1000;"
                               "i++){window.open('/target?n='+i);}\">打开一千个窗口</button>"));
    if (p == "/print")
        return Reply(msg, Page("打印", "<h1>教案：春晓</h1><p id='poem'>春眠不觉晓，处处闻啼鸟。</p>"
                                       "<p>lesson-plan-for-printing</p>"
                                       "<button id='print' onclick=\"window.print();document.title='打印之后'\">"
                                       "打印这一页</button>"));
    if (p == "/to-secure") {
        const std::string target = site->SecureRoot() + "/target";
        return Reply(msg, Page("去安全网站", "<a id='go' style='font-size:40px' href='" + Escape(target) +
                                                 "'>安全网站上的目标页</a>"));
    }
    if (p == "/dialogs")
        return Reply(msg, Page("对话框",
                               "<button id='a' onclick=\"alert('你好');document.title='alert-done'\">alert</button>"
                               "<button id='c' onclick=\"document.title='confirm-'+confirm('确定吗')\">confirm</button>"
                               "<button id='p' onclick=\"document.title='prompt-'+prompt('名字','张老师')\">prompt</button>"));
    if (p == "/upload") {
        if (std::strcmp(soup_server_message_get_method(msg), "POST") == 0) {
            SoupMessageBody* body = soup_server_message_get_request_body(msg);
            GBytes* bytes = soup_message_body_flatten(body);
            SoupMultipart* mp = soup_multipart_new_from_message(reqh, bytes);
            g_bytes_unref(bytes);
            std::string name = "无文件";
            size_t size = 0;
            if (mp) {
                for (int i = 0; i < soup_multipart_get_length(mp); ++i) {
                    SoupMessageHeaders* ph = nullptr;
                    GBytes* pb = nullptr;
                    if (!soup_multipart_get_part(mp, i, &ph, &pb)) continue;
                    GHashTable* params = nullptr;
                    if (soup_message_headers_get_content_disposition(ph, nullptr, &params) && params) {
                        const char* fn = static_cast<const char*>(g_hash_table_lookup(params, "filename"));
                        if (fn) {
                            name = fn;
                            size = g_bytes_get_size(pb);
                        }
                        g_hash_table_destroy(params);
                    }
                }
                soup_multipart_free(mp);
            }
            return Reply(msg, Page("上传-" + Escape(name) + "-" + std::to_string(size), "<p>已收到</p>"));
        }
        return Reply(msg, Page("上传", "<form method='post' enctype='multipart/form-data' action='/upload'>"
                                       "<input type='file' id='f' name='f' style='font-size:30px'>"
                                       "<input type='submit' id='send' value='上传'></form>"));
    }
    if (p == "/login") {
        soup_message_headers_append(resh, "Set-Cookie",
                                    "qhf_user=teacher; Path=/; Max-Age=86400; SameSite=Lax");
        return Reply(msg, Page("已登录", "<p>已登录</p>"));
    }
    if (p == "/whoami") {
        const char* cookie = soup_message_headers_get_one(reqh, "Cookie");
        const std::string c = cookie ? cookie : "";
        const bool in = c.find("qhf_user=teacher") != std::string::npos;
        return Reply(msg, Page(in ? "用户-teacher" : "用户-未登录", "<p>" + Escape(c) + "</p>"));
    }
    if (p == "/auth") {
        const char* auth = soup_message_headers_get_one(reqh, "Authorization");
        // "teacher:secret"
        if (auth && std::strcmp(auth, "Basic dGVhY2hlcjpzZWNyZXQ=") == 0)
            return Reply(msg, Page("认证成功", "<p>认证成功</p>"));
        soup_message_headers_append(resh, "WWW-Authenticate", "Basic realm=\"qinghefang\"");
        return Reply(msg, Page("需要登录", "<p>需要登录</p>"), 401);
    }
    if (p == "/download" || p == "/slow-download") {
        // A lesson plan as plain bytes the engine does not show itself.
        std::string body;
        const size_t size = p == "/download" ? 64 * 1024 : 512 * 1024;
        body.reserve(size);
        for (size_t i = 0; i < size; ++i) body.push_back(static_cast<char>('A' + i % 26));
        soup_message_headers_append(resh, "Content-Disposition", "attachment; filename=\"lesson-plan.bin\"");
        soup_server_message_set_status(msg, 200, nullptr);
        soup_server_message_set_response(msg, "application/octet-stream", SOUP_MEMORY_COPY, body.data(),
                                         body.size());
        return;
    }
    if (p == "/slow") {
        // Answers after five seconds, so that Stop has something to stop.
        soup_server_message_pause(msg);
        auto* s = new Slow{msg, Page("很慢的网页", "<p>终于到了</p>")};
        g_object_ref(msg);
        g_timeout_add(5000, +[](gpointer d) -> gboolean {
            auto* s = static_cast<Slow*>(d);
            Reply(s->msg, s->html);
            soup_server_message_unpause(s->msg);
            g_object_unref(s->msg);
            delete s;
            return G_SOURCE_REMOVE;
        }, s);
        return;
    }
    (void)query;
    const std::string title = SectionTitle(full);
    Reply(msg, Page(Escape(title), "<h1>" + Escape(title) + "</h1><p id='addr'>" + Escape(full) + "</p>"));
}

std::string SectionTitle(const std::string& pathAndQuery) { return "栏目 " + pathAndQuery; }

SiteServer::SiteServer(unsigned port) {
    server_ = soup_server_new("server-header", "qinghefang-site", nullptr);
    soup_server_add_handler(server_, nullptr, Handler::Handle, this, nullptr);
    GError* err = nullptr;
    GInetAddress* lo = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* addr = g_inet_socket_address_new(lo, static_cast<guint16>(port));
    g_object_unref(lo);
    if (!soup_server_listen(server_, addr, static_cast<SoupServerListenOptions>(0), &err)) {
        if (err) g_error_free(err);
        g_object_unref(addr);
        g_object_unref(server_);
        server_ = nullptr;
        return;
    }
    g_object_unref(addr);
    GSList* uris = soup_server_get_uris(server_);
    if (uris) port_ = static_cast<unsigned>(g_uri_get_port(static_cast<GUri*>(uris->data)));
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

SiteServer::~SiteServer() {
    if (server_) {
        soup_server_disconnect(server_);
        g_object_unref(server_);
    }
}

std::string SiteServer::Root() const { return "http://127.0.0.1:" + std::to_string(port_); }

bool SiteServer::ServeHttps(GTlsCertificate* certificate) {
    if (!server_ || !certificate || securePort_) return false;
    g_object_set(server_, "tls-certificate", certificate, nullptr);
    GInetAddress* lo = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* addr = g_inet_socket_address_new(lo, 0);
    g_object_unref(lo);
    GError* err = nullptr;
    const bool ok = soup_server_listen(server_, addr, SOUP_SERVER_LISTEN_HTTPS, &err);
    g_object_unref(addr);
    if (!ok) {
        if (err) g_error_free(err);
        return false;
    }
    GSList* uris = soup_server_get_uris(server_);
    for (GSList* l = uris; l; l = l->next) {
        auto* u = static_cast<GUri*>(l->data);
        if (g_strcmp0(g_uri_get_scheme(u), "https") == 0) securePort_ = static_cast<unsigned>(g_uri_get_port(u));
    }
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
    return securePort_ != 0;
}

std::string SiteServer::SecureRoot() const {
    return securePort_ ? "https://127.0.0.1:" + std::to_string(securePort_) : std::string();
}

}  // namespace site
