#include "platform/gtk/web_engine.h"

#include <glib/gstdio.h>

namespace gtkui {

std::string WebEngineDataDir() {
    gchar* p = g_build_filename(g_get_user_data_dir(), "qinghefang-browser", nullptr);
    std::string s(p);
    g_free(p);
    return s;
}

std::string WebEngineCacheDir() {
    gchar* p = g_build_filename(g_get_user_cache_dir(), "qinghefang-browser", nullptr);
    std::string s(p);
    g_free(p);
    return s;
}

WebKitWebContext* WebEngineContext() {
    static WebKitWebContext* ctx = [] {
        const std::string data = WebEngineDataDir();
        const std::string cache = WebEngineCacheDir();
        g_mkdir_with_parents(data.c_str(), 0700);
        g_mkdir_with_parents(cache.c_str(), 0700);
        WebKitWebsiteDataManager* mgr = webkit_website_data_manager_new(
            "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr);
        // A site whose certificate cannot be trusted is never opened: the load
        // fails and WebKit shows its error page. No exception is ever made.
        webkit_website_data_manager_set_tls_errors_policy(mgr, WEBKIT_TLS_ERRORS_POLICY_FAIL);
        WebKitWebContext* c = webkit_web_context_new_with_website_data_manager(mgr);
        g_object_unref(mgr);
        webkit_web_context_set_sandbox_enabled(c, TRUE);
        webkit_web_context_set_cache_model(c, WEBKIT_CACHE_MODEL_WEB_BROWSER);
        gchar* cookies = g_build_filename(data.c_str(), "cookies.sqlite", nullptr);
        WebKitCookieManager* cm = webkit_web_context_get_cookie_manager(c);
        webkit_cookie_manager_set_persistent_storage(cm, cookies,
                                                     WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
        webkit_cookie_manager_set_accept_policy(cm, WEBKIT_COOKIE_POLICY_ACCEPT_NO_THIRD_PARTY);
        g_free(cookies);
        return c;
    }();
    return ctx;
}

}  // namespace gtkui
