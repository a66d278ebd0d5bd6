#include "platform/gtk/web_browser.h"

#include <webkit2/webkit2.h>

#include "platform/gtk/downloads.h"
#include "platform/gtk/gtk_backend.h"
#include "platform/gtk/web_engine.h"
#include "platform/user32.h"

namespace gtkui {

using namespace user32;

namespace {
constexpr const char* kControlClass = "QhfBrowserControl";

void EnsureClass() {
    static bool done = [] {
        WNDCLASSA wc;
        wc.lpszClassName = kControlClass;
        RegisterClassA(wc);
        return true;
    }();
    (void)done;
}

// What the user chose in the last print dialog, offered again in the next one.
GtkPrintSettings* g_printSettings = nullptr;
GtkPageSetup* g_pageSetup = nullptr;

bool HasScheme(const std::string& s) {
    // scheme ":" as in RFC 3986: a letter, then letters, digits, "+", "-", ".".
    const auto colon = s.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    if (!g_ascii_isalpha(s[0])) return false;
    for (size_t i = 1; i < colon; ++i)
        if (!g_ascii_isalnum(s[i]) && s[i] != '+' && s[i] != '-' && s[i] != '.') return false;
    const std::string scheme = g_ascii_strdown(s.substr(0, colon).c_str(), -1);
    // "localhost:8080" and "host:port/path" are host names with a port.
    if (s.compare(colon, 3, "://") == 0) return true;
    return scheme == "about" || scheme == "data" || scheme == "javascript" || scheme == "mailto" ||
           scheme == "file";
}
}  // namespace

std::string WebBrowser::InterpretAddress(const std::string& typed) {
    if (typed.empty()) return typed;
    if (HasScheme(typed)) return typed;
    if (typed.front() == '/') return "file://" + typed;
    return "http://" + typed;
}

std::shared_ptr<WebBrowser> WebBrowser::Create(HWND parent) {
    EnsureClass();
    RECT cr{};
    GetClientRect(parent, &cr);
    const HWND h = CreateWindowExA(0, kControlClass, "", WS_CHILD | WS_VISIBLE, 0, 0, cr.right,
                                   cr.bottom, parent);
    if (!h) return nullptr;
    std::shared_ptr<WebBrowser> b(new WebBrowser(h));
    b->AdoptView(WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(WebEngineContext())));
    return b;
}

WebBrowser::WebBrowser(HWND hwnd) : hwnd_(hwnd) {
    const WNDPROC base = GetWindowLongA(hwnd, GWL_WNDPROC);
    proc_ = MakeWndProc([this, base](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_NCDESTROY) {
            ReleaseView();
            hwnd_ = 0;
        }
        return CallWindowProcA(base, h, m, w, l);
    });
    SetWindowLongA(hwnd, GWL_WNDPROC, proc_);
}

WebBrowser::~WebBrowser() {
    ReleaseView();
    if (hwnd_) DestroyWindow(hwnd_);
    FreeWndProc(proc_);
}

void WebBrowser::AdoptView(WebKitWebView* view) {
    ReleaseView();
    view_ = view;
    g_object_ref_sink(view_);
    g_object_set_data(G_OBJECT(view_), "qhf-browser", this);
    InstallDownloadHandling();
    WebKitSettings* s = webkit_web_view_get_settings(view_);
    webkit_settings_set_enable_developer_extras(s, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(s, FALSE);
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
    g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
    g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
    g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnCrashed), this);
    g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(view_, "print", G_CALLBACK(OnPrintRequest), this);
    crashedAddress_.clear();
    noticeAddress_.clear();
    if (hwnd_) GtkWindowBackend::Instance().AttachWidget(hwnd_, GTK_WIDGET(view_));
}

void WebBrowser::ReleaseView() {
    if (!view_) return;
    WebKitWebView* v = view_;
    view_ = nullptr;
    g_signal_handlers_disconnect_by_data(v, this);
    g_object_set_data(G_OBJECT(v), "qhf-browser", nullptr);
    if (hwnd_) GtkWindowBackend::Instance().DetachWidget(hwnd_);
    webkit_web_view_try_close(v);
    if (GtkWidget* parent = gtk_widget_get_parent(GTK_WIDGET(v)))
        gtk_container_remove(GTK_CONTAINER(parent), GTK_WIDGET(v));
    g_object_unref(v);
}

void WebBrowser::Navigate(const std::string& address) {
    if (!view_) return;
    const std::string uri = InterpretAddress(address);
    if (uri.empty()) return;
    crashedAddress_.clear();
    noticeAddress_.clear();
    webkit_web_view_load_uri(view_, uri.c_str());
}

void WebBrowser::GoBack() {
    if (!view_ || !webkit_web_view_can_go_back(view_)) return;
    noticeAddress_.clear();
    webkit_web_view_go_back(view_);
}

void WebBrowser::GoForward() {
    if (!view_ || !webkit_web_view_can_go_forward(view_)) return;
    noticeAddress_.clear();
    webkit_web_view_go_forward(view_);
}

void WebBrowser::Stop() {
    if (view_ && webkit_web_view_is_loading(view_)) webkit_web_view_stop_loading(view_);
}

void WebBrowser::Refresh() {
    if (!view_) return;
    noticeAddress_.clear();
    // After the web process died the page is loaded again from its address.
    if (!crashedAddress_.empty()) {
        const std::string again = crashedAddress_;
        crashedAddress_.clear();
        webkit_web_view_load_uri(view_, again.c_str());
        return;
    }
    const char* uri = webkit_web_view_get_uri(view_);
    if (uri && *uri) webkit_web_view_reload(view_);
}

void WebBrowser::Print() {
    if (!view_) return;
    // Keeps the control alive through the dialog: a page may close its own
    // window while the dialog's loop runs.
    std::shared_ptr<WebBrowser> keep = shared_from_this();
    WebKitPrintOperation* op = webkit_print_operation_new(view_);
    if (g_printSettings) webkit_print_operation_set_print_settings(op, g_printSettings);
    if (g_pageSetup) webkit_print_operation_set_page_setup(op, g_pageSetup);
    // Printing can fail while the dialog is up or after it is gone; the
    // page's status says so.
    struct Watch {
        std::weak_ptr<WebBrowser> owner;
        bool failed = false;
    };
    auto* watch = new Watch{keep};
    g_signal_connect_data(
        op, "failed", G_CALLBACK(+[](WebKitPrintOperation*, GError* err, gpointer data) {
            auto* w = static_cast<Watch*>(data);
            w->failed = true;
            if (auto self = w->owner.lock())
                self->SetStatus(std::string("打印失败：") + (err ? err->message : ""));
        }),
        watch, +[](gpointer data, GClosure*) { delete static_cast<Watch*>(data); }, GConnectFlags(0));
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    const WebKitPrintOperationResponse r =
        webkit_print_operation_run_dialog(op, GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr);
    if (r == WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
        GtkPrintSettings* ps = webkit_print_operation_get_print_settings(op);
        GtkPageSetup* pg = webkit_print_operation_get_page_setup(op);
        if (ps) g_set_object(&g_printSettings, ps);
        if (pg) g_set_object(&g_pageSetup, pg);
        if (keep->view_ && !watch->failed) SetStatus("已送去打印 " + LocationURL());
    }
    g_object_unref(op);
}

std::string WebBrowser::LocationURL() const {
    if (!view_) return {};
    const char* uri = webkit_web_view_get_uri(view_);
    return uri ? uri : "";
}

bool WebBrowser::IsLoading() const { return view_ && webkit_web_view_is_loading(view_); }

void WebBrowser::RunJavaScript(const std::string& script,
                               std::function<void(bool, const std::string&)> done) {
    if (!view_) {
        if (done) done(false, {});
        return;
    }
    auto* cb = new std::function<void(bool, const std::string&)>(std::move(done));
    webkit_web_view_evaluate_javascript(
        view_, script.c_str(), -1, nullptr, nullptr, nullptr,
        +[](GObject* obj, GAsyncResult* res, gpointer data) {
            auto* fn = static_cast<std::function<void(bool, const std::string&)>*>(data);
            GError* err = nullptr;
            JSCValue* v = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(obj), res, &err);
            std::string text;
            if (v) {
                if (!jsc_value_is_undefined(v) && !jsc_value_is_null(v)) {
                    gchar* s = jsc_value_to_string(v);
                    text = s ? s : "";
                    g_free(s);
                }
                g_object_unref(v);
            }
            if (*fn) (*fn)(err == nullptr, text);
            if (err) g_error_free(err);
            delete fn;
        },
        cb);
}

void WebBrowser::Fire(const std::function<void(const std::string&)>& ev, const std::string& text) {
    if (ev) ev(text);
}

void WebBrowser::SetStatus(const std::string& text) { Fire(StatusTextChange, text); }

void WebBrowser::OnLoadChanged(WebKitWebView* v, int event, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    const char* uri = webkit_web_view_get_uri(v);
    const std::string u = uri ? uri : "";
    if (!self->noticeAddress_.empty()) {
        // The failed or dead page's load ends, then its notice page loads
        // under the same address; what happened stays in the status bar
        // throughout. Any other page starting to load ends that.
        if (event != WEBKIT_LOAD_STARTED || u == self->noticeAddress_) {
            if (event == WEBKIT_LOAD_FINISHED && u == self->noticeAddress_) {
                self->noticeAddress_.clear();
                self->SetStatus(self->noticeStatus_);
            }
            return;
        }
        self->noticeAddress_.clear();
    }
    switch (event) {
        case WEBKIT_LOAD_STARTED: self->SetStatus("正在打开网页 " + u + " ..."); break;
        case WEBKIT_LOAD_COMMITTED: self->SetStatus("正在下载网页 " + u + " ..."); break;
        case WEBKIT_LOAD_FINISHED: self->SetStatus("完成"); break;
        default: break;
    }
}

gboolean WebBrowser::OnLoadFailed(WebKitWebView*, int, char* uri, GError* err, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    if (err && g_error_matches(err, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) {
        self->SetStatus("已停止");
        return FALSE;
    }
    // A response handed over to the downloads is no failure (they report on
    // it), nor media content that the engine goes on to load itself.
    if (err && (g_error_matches(err, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
                g_error_matches(err, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)))
        return FALSE;
    const std::string address = uri ? uri : "";
    std::string status = "无法打开网页 " + address;
    if (err && err->domain == G_TLS_ERROR) status += "（网站的安全证书不可信）";
    self->noticeAddress_ = address;
    self->noticeStatus_ = status;
    self->SetStatus(status);
    return FALSE;  // WebKit shows its own error page
}

gboolean WebBrowser::OnDecidePolicy(WebKitWebView*, void* d, int type, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    auto* decision = static_cast<WebKitPolicyDecision*>(d);
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        WebKitNavigationAction* a =
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        WebKitURIRequest* req = webkit_navigation_action_get_request(a);
        const char* uri = req ? webkit_uri_request_get_uri(req) : nullptr;
        self->Fire(self->BeforeNavigate2, uri ? uri : "");
        return FALSE;  // the navigation proceeds
    }
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
        auto* rd = WEBKIT_RESPONSE_POLICY_DECISION(decision);
        if (!webkit_response_policy_decision_is_mime_type_supported(rd)) {
            webkit_policy_decision_download(decision);
            return TRUE;
        }
    }
    return FALSE;
}

void WebBrowser::OnTitle(GObject* obj, void*, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    const char* t = webkit_web_view_get_title(WEBKIT_WEB_VIEW(obj));
    self->Fire(self->TitleChange, t ? t : "");
}

void WebBrowser::OnMouseTarget(WebKitWebView*, void* h, guint, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    auto* hit = static_cast<WebKitHitTestResult*>(h);
    if (webkit_hit_test_result_context_is_link(hit)) {
        const char* uri = webkit_hit_test_result_get_link_uri(hit);
        self->SetStatus(uri ? uri : "");
    } else {
        self->SetStatus("");
    }
}

void* WebBrowser::OnCreate(WebKitWebView* v, void*, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    if (!self->NewWindow2) return nullptr;
    // The handler may run for a while (it makes a page window); keep this
    // control alive through it.
    std::shared_ptr<WebBrowser> keep = self->shared_from_this();
    std::shared_ptr<WebBrowser> target;
    bool cancel = false;
    self->NewWindow2(target, cancel);
    if (cancel || !target || !target->view_ || !keep->view_ || keep->view_ != v) return nullptr;
    // WebKit loads the requested page into a view related to the opener; it
    // takes the place of the new control's blank one.
    auto* related = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(v));
    target->AdoptView(related);
    return related;
}

void WebBrowser::OnCrashed(WebKitWebView* v, int, gpointer data) {
    auto* self = static_cast<WebBrowser*>(data);
    const char* uri = webkit_web_view_get_uri(v);
    self->crashedAddress_ = uri && *uri ? uri : "about:blank";
    const std::string addr = self->crashedAddress_;
    gchar* esc = g_markup_escape_text(addr.c_str(), -1);
    const std::string html =
        std::string("<html><head><meta charset='utf-8'><title>网页已停止工作</title></head>"
                    "<body style='font-family:sans-serif;margin:40px'>"
                    "<h2>这个网页出了问题，已停止工作</h2><p>网址：") +
        esc + "</p><p>请按工具栏上的“刷新”重新打开这个网页。其他网页不受影响。</p></body></html>";
    g_free(esc);
    self->noticeAddress_ = addr;
    self->noticeStatus_ = "网页已停止工作：" + addr;
    // Shown without a history entry; the address stays the page's own.
    webkit_web_view_load_alternate_html(v, html.c_str(), addr.c_str(), nullptr);
    self->SetStatus(self->noticeStatus_);
}

gboolean WebBrowser::OnPrintRequest(WebKitWebView*, void*, gpointer data) {
    // window.print() from the page: the same dialog as the context menu's.
    static_cast<WebBrowser*>(data)->Print();
    return TRUE;
}

gboolean WebBrowser::OnContextMenu(WebKitWebView* wv, void* m, void*, void*, gpointer) {
    auto* menu = static_cast<WebKitContextMenu*>(m);
    // Nothing for developers in a teacher's browser.
    GList* items = g_list_copy(webkit_context_menu_get_items(menu));
    for (GList* l = items; l; l = l->next) {
        auto* item = static_cast<WebKitContextMenuItem*>(l->data);
        if (webkit_context_menu_item_get_stock_action(item) == WEBKIT_CONTEXT_MENU_ACTION_INSPECT_ELEMENT)
            webkit_context_menu_remove(menu, item);
    }
    g_list_free(items);
    // Printing the page, as the old control offered it.
    webkit_context_menu_append(menu, webkit_context_menu_item_new_separator());
    GSimpleAction* print = g_simple_action_new("qhf-print", nullptr);
    g_signal_connect_object(print, "activate", G_CALLBACK(+[](GSimpleAction*, GVariant*, gpointer view) {
                                auto* self = static_cast<WebBrowser*>(g_object_get_data(G_OBJECT(view), "qhf-browser"));
                                if (self) self->Print();
                            }),
                            wv, GConnectFlags(0));
    webkit_context_menu_append(menu, webkit_context_menu_item_new_from_gaction(G_ACTION(print), "打印…", nullptr));
    g_object_unref(print);
    return FALSE;
}

}  // namespace gtkui
