#include "shell_fixture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <webkit2/webkit2.h>

#include "platform/gtk/gtk_backend.h"
#include "platform/user32.h"

namespace e2e {

namespace {
pid_t g_xvfb = 0;
std::string g_display;
std::string g_tmp;

void RunXdotool(const std::string& args) {
    const std::string cmd = "DISPLAY=" + g_display + " xdotool " + args;
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "xdotool failed: " << args;
}
}  // namespace

namespace {
[[noreturn]] void Fatal(const std::string& why) {
    std::fprintf(stderr, "end-to-end environment: %s\n", why.c_str());
    std::exit(1);  // a broken environment is a failure, never a skip
}

// Starts Xvfb on a free display of its own; several test programs run at once.
std::string StartXvfb() {
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int n = 100 + static_cast<int>((getpid() * 7 + attempt * 13) % 900);
        const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        if (access(lock.c_str(), F_OK) == 0) continue;
        const std::string disp = ":" + std::to_string(n);
        pid_t pid = fork();
        if (pid == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            if (devnull >= 0) {
                dup2(devnull, 1);
                dup2(devnull, 2);
            }
            execlp("Xvfb", "Xvfb", disp.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        const std::string sock = "/tmp/.X11-unix/X" + std::to_string(n);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // lost the race: next display
            if (access(sock.c_str(), F_OK) == 0) {
                g_xvfb = pid;
                return disp;
            }
            usleep(50 * 1000);
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    Fatal("Xvfb did not start");
}
}  // namespace

// The web engine's helper processes live as long as the test program and may
// still be writing their cache while the folder goes: retry until it is gone.
void RemoveTree(const std::string& dir) {
    const std::string cmd = "rm -rf '" + dir + "' 2>/dev/null";
    for (int i = 0; i < 50 && access(dir.c_str(), F_OK) == 0; ++i) {
        if (std::system(cmd.c_str()) == 0 && access(dir.c_str(), F_OK) != 0) return;
        usleep(100 * 1000);
    }
    if (access(dir.c_str(), F_OK) == 0) std::fprintf(stderr, "could not remove %s\n", dir.c_str());
}

void DisplayEnvironment::SetUp() {
    g_display = StartXvfb();
    setenv("DISPLAY", g_display.c_str(), 1);
    // The web engine keeps its data in a folder of this run only.
    // Child phases of a restart test share their parent's data folders.
    if (const char* shared = getenv("QHF_E2E_SHARED_HOME")) {
        g_tmp = shared;
        setenv("XDG_DATA_HOME", (g_tmp + "/data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (g_tmp + "/cache").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", g_tmp.c_str(), 1);
        if (!gtk_init_check(nullptr, nullptr)) Fatal("GTK cannot open " + g_display);
        user32::SetBackend(&gtkui::GtkWindowBackend::Instance());
        g_tmp.clear();  // the parent removes it
        return;
    }
    char tmpl[] = "/tmp/qhf-e2e-XXXXXX";
    g_tmp = mkdtemp(tmpl);
    setenv("XDG_DATA_HOME", (g_tmp + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (g_tmp + "/cache").c_str(), 1);
    g_mkdir_with_parents((g_tmp + "/cache").c_str(), 0700);
    g_mkdir_with_parents((g_tmp + "/data").c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", g_tmp.c_str(), 1);
    gtkui::InstallFontSubstitutes();
    if (!gtk_init_check(nullptr, nullptr)) Fatal("GTK cannot open " + g_display);
    user32::SetBackend(&gtkui::GtkWindowBackend::Instance());
}

void DisplayEnvironment::TearDown() {
    if (g_xvfb > 0) {
        kill(g_xvfb, SIGTERM);
        waitpid(g_xvfb, nullptr, 0);
    }
    if (!g_tmp.empty()) RemoveTree(g_tmp);
}

static ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() > end) return false;
        if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(1000);
    }
    return true;
}

void Pump(int ms) {
    RunUntil([] { return false; }, ms);
}

void XClick(int x, int y, int button) {
    RunXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " +
               std::to_string(button));
}
void XMove(int x, int y) { RunXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)); }
void XDown(int button) { RunXdotool("mousedown " + std::to_string(button)); }
void XUp(int button) { RunXdotool("mouseup " + std::to_string(button)); }
void XKey(const std::string& keys) { RunXdotool("key " + keys); }

bool WidgetCenter(GtkWidget* w, int* x, int* y) {
    GtkWidget* top = gtk_widget_get_toplevel(w);
    GdkWindow* gw = gtk_widget_get_window(top);
    if (!gw) return false;
    int ox = 0, oy = 0, wx = 0, wy = 0;
    gdk_window_get_origin(gw, &ox, &oy);
    if (!gtk_widget_translate_coordinates(w, top, 0, 0, &wx, &wy)) return false;
    *x = ox + wx + gtk_widget_get_allocated_width(w) / 2;
    *y = oy + wy + gtk_widget_get_allocated_height(w) / 2;
    return true;
}

namespace {
std::string OwnText(GtkWidget* w) {
    const char* t = nullptr;
    if (GTK_IS_LABEL(w)) t = gtk_label_get_text(GTK_LABEL(w));
    else if (GTK_IS_MENU_ITEM(w)) t = gtk_menu_item_get_label(GTK_MENU_ITEM(w));
    else if (GTK_IS_BUTTON(w)) t = gtk_button_get_label(GTK_BUTTON(w));
    return t ? t : "";
}

bool HasText(GtkWidget* w, const std::string& text) {
    if (OwnText(w) == text) return true;
    bool found = false;
    if (GTK_IS_CONTAINER(w)) {
        struct Ctx {
            const std::string* text;
            bool* found;
        } c{&text, &found};
        gtk_container_forall(GTK_CONTAINER(w), +[](GtkWidget* ch, gpointer d) {
            auto* c = static_cast<Ctx*>(d);
            if (!*c->found && HasText(ch, *c->text)) *c->found = true;
        }, &c);
    }
    return found;
}
}  // namespace

GtkWidget* FindLabeled(GtkWidget* root, GType type, const std::string& text) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(root, type) && HasText(root, text)) return root;
    GtkWidget* hit = nullptr;
    if (GTK_IS_CONTAINER(root)) {
        struct Ctx {
            GType type;
            const std::string* text;
            GtkWidget** hit;
        } c{type, &text, &hit};
        gtk_container_forall(GTK_CONTAINER(root), +[](GtkWidget* ch, gpointer d) {
            auto* c = static_cast<Ctx*>(d);
            if (!*c->hit) *c->hit = FindLabeled(ch, c->type, *c->text);
        }, &c);
    }
    return hit;
}

GtkWidget* ShownWindow(GType type) {
    GtkWidget* found = nullptr;
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l && !found; l = l->next) {
        auto* w = GTK_WIDGET(l->data);
        if (G_TYPE_CHECK_INSTANCE_TYPE(w, type) && gtk_widget_get_visible(w)) found = w;
    }
    g_list_free(all);
    return found;
}

std::string Eval(gtkui::WebBrowser& b, const std::string& script) {
    bool finished = false;
    std::string result;
    b.RunJavaScript(script, [&](bool, const std::string& v) {
        result = v;
        finished = true;
    });
    RunUntil([&] { return finished; }, 10000);
    return result;
}

bool ElementCenter(gtkui::WebBrowser& b, const std::string& selector, int* x, int* y) {
    const std::string v = Eval(b, "(function(){var r=document.querySelector('" + selector +
                                      "').getBoundingClientRect();return Math.round(r.left+r.width/2)"
                                      "+','+Math.round(r.top+r.height/2);})()");
    int ex = 0, ey = 0;
    if (std::sscanf(v.c_str(), "%d,%d", &ex, &ey) != 2) return false;
    GtkWidget* w = GTK_WIDGET(b.View());
    GdkWindow* gw = gtk_widget_get_window(w);
    if (!gw) return false;
    int ox = 0, oy = 0;
    gdk_window_get_origin(gw, &ox, &oy);
    GtkAllocation a;
    gtk_widget_get_allocation(w, &a);
    if (!gtk_widget_get_has_window(w)) {
        ox += a.x;
        oy += a.y;
    }
    *x = ox + ex;
    *y = oy + ey;
    return true;
}

void ShellTest::SetUp() {
    // A test that restarts the program runs its phases in child processes
    // that must find the site where the first one left its cookie.
    const char* port = getenv("QHF_E2E_SITE_PORT");
    site = std::make_unique<site::SiteServer>(port ? static_cast<unsigned>(std::atoi(port)) : 0u);
    ASSERT_TRUE(site->Ok());
    frame = std::make_unique<frmMain>(site->Root());
    frame->Show();
    ASSERT_TRUE(WaitTitle(Active(), "青禾坊教育社区"));
}

void ShellTest::TearDown() {
    frame.reset();
    Pump(50);
    site.reset();
}

frmWebBrowser* ShellTest::Active() const { return frame->PageByHandle(frame->ActiveHwnd); }

frmWebBrowser* ShellTest::Page(size_t i) const {
    auto hs = frame->PageHandles();
    std::sort(hs.begin(), hs.end());  // handles grow with creation
    return i < hs.size() ? frame->PageByHandle(hs[i]) : nullptr;
}

bool ShellTest::WaitTitle(frmWebBrowser* p, const std::string& title) {
    if (!p) return false;
    const HWND h = p->hWnd();
    return RunUntil([&] {
        frmWebBrowser* q = frame->PageByHandle(h);
        return q && q->Caption() == title;
    });
}

bool ShellTest::WaitLoaded(frmWebBrowser* p) {
    if (!p) return false;
    const HWND h = p->hWnd();
    return RunUntil([&] {
        frmWebBrowser* q = frame->PageByHandle(h);
        return q && !q->WebBrowser1->IsLoading();
    });
}

}  // namespace e2e
