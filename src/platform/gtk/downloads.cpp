#include "platform/gtk/downloads.h"

#include <glib/gstdio.h>
#include <webkit2/webkit2.h>

#include <cstdio>

#include "platform/gtk/gtk_backend.h"
#include "platform/gtk/web_browser.h"
#include "platform/gtk/web_engine.h"

namespace gtkui {

namespace {
DownloadChooser g_chooser;

std::string DefaultChooser(const std::string& suggested) {
    GtkWidget* dlg = gtk_file_chooser_dialog_new("保存文件", GtkWindowBackend::Instance().FrameWindow(),
                                                 GTK_FILE_CHOOSER_ACTION_SAVE, "取消", GTK_RESPONSE_CANCEL,
                                                 "保存", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(dlg), TRUE);
    const char* dir = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dlg), dir ? dir : g_get_home_dir());
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dlg), suggested.c_str());
    std::string path;
    if (gtk_dialog_run(GTK_DIALOG(dlg)) == GTK_RESPONSE_ACCEPT) {
        gchar* f = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dlg));
        if (f) path = f;
        g_free(f);
    }
    gtk_widget_destroy(dlg);
    return path;
}

// One download: it is written under a ".part" name and takes its chosen name
// only once complete, so an interrupted download never looks complete.
struct Job {
    std::string finalPath;
    std::string partPath;
    std::string name;
    WebKitWebView* view = nullptr;
};

void Status(Job* job, const std::string& text) {
    if (!job->view) return;
    auto* b = static_cast<WebBrowser*>(g_object_get_data(G_OBJECT(job->view), "qhf-browser"));
    if (b && b->StatusTextChange) b->StatusTextChange(text);
}

gboolean OnDecideDestination(WebKitDownload* d, gchar* suggested, gpointer data) {
    auto* job = static_cast<Job*>(data);
    const std::string name = suggested && *suggested ? suggested : "download";
    const std::string path = (g_chooser ? g_chooser : DefaultChooser)(name);
    if (path.empty()) {
        webkit_download_cancel(d);
        return TRUE;
    }
    job->finalPath = path;
    job->partPath = path + ".part";
    gchar* base = g_path_get_basename(path.c_str());
    job->name = base;
    g_free(base);
    gchar* uri = g_filename_to_uri(job->partPath.c_str(), nullptr, nullptr);
    webkit_download_set_allow_overwrite(d, TRUE);
    webkit_download_set_destination(d, uri);
    g_free(uri);
    Status(job, "开始下载 " + job->name);
    return TRUE;
}

void OnReceived(WebKitDownload* d, guint64, gpointer data) {
    auto* job = static_cast<Job*>(data);
    const guint64 got = webkit_download_get_received_data_length(d);
    WebKitURIResponse* resp = webkit_download_get_response(d);
    const guint64 total = resp ? webkit_uri_response_get_content_length(resp) : 0;
    std::string text = "正在下载 " + job->name + "：已下载 " + FormatSize(got);
    if (total > 0) text += " / 共 " + FormatSize(total);
    Status(job, text);
}

void OnFailed(WebKitDownload*, GError* err, gpointer data) {
    auto* job = static_cast<Job*>(data);
    if (!job->partPath.empty()) g_unlink(job->partPath.c_str());
    if (err && g_error_matches(err, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)) {
        if (!job->name.empty()) Status(job, "已取消下载 " + job->name);
    } else {
        Status(job, "下载失败：" + job->name + "（" + (err ? err->message : "未知原因") + "）");
    }
    job->partPath.clear();
}

void OnFinished(WebKitDownload*, gpointer data) {
    auto* job = static_cast<Job*>(data);
    if (job->partPath.empty()) return;  // failed or cancelled before
    if (g_rename(job->partPath.c_str(), job->finalPath.c_str()) == 0)
        Status(job, "下载完成：" + job->finalPath);
    else
        Status(job, "下载失败：无法保存 " + job->finalPath);
}

void OnStarted(WebKitWebContext*, WebKitDownload* d, gpointer) {
    auto* job = new Job;
    job->view = webkit_download_get_web_view(d);
    if (job->view) g_object_add_weak_pointer(G_OBJECT(job->view), reinterpret_cast<gpointer*>(&job->view));
    g_signal_connect(d, "decide-destination", G_CALLBACK(OnDecideDestination), job);
    g_signal_connect(d, "received-data", G_CALLBACK(OnReceived), job);
    g_signal_connect(d, "failed", G_CALLBACK(OnFailed), job);
    g_signal_connect(d, "finished", G_CALLBACK(OnFinished), job);
    g_object_set_data_full(G_OBJECT(d), "qhf-job", job, [](gpointer p) {
        auto* j = static_cast<Job*>(p);
        if (j->view) g_object_remove_weak_pointer(G_OBJECT(j->view), reinterpret_cast<gpointer*>(&j->view));
        delete j;
    });
}
}  // namespace

void SetDownloadChooser(DownloadChooser chooser) { g_chooser = std::move(chooser); }

void InstallDownloadHandling() {
    static bool done = [] {
        g_signal_connect(WebEngineContext(), "download-started", G_CALLBACK(OnStarted), nullptr);
        return true;
    }();
    (void)done;
}

std::string FormatSize(unsigned long long bytes) {
    char buf[64];
    if (bytes < 1024) std::snprintf(buf, sizeof buf, "%llu 字节", bytes);
    else if (bytes < 1024ull * 1024) std::snprintf(buf, sizeof buf, "%.1f KB", bytes / 1024.0);
    else std::snprintf(buf, sizeof buf, "%.1f MB", bytes / (1024.0 * 1024.0));
    return buf;
}

}  // namespace gtkui
