// What the browser control does beyond showing pages: downloads, the storage
// that keeps a login, recovery from a dead web process, new-window storms.
#include <dirent.h>
#include <glib/gstdio.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "platform/gtk/downloads.h"
#include "platform/gtk/web_engine.h"
#include "platform/user32.h"
#include "shell_fixture.h"

using namespace e2e;

TEST_F(ShellTest, ADownloadLandsCompleteUnderTheChosenName) {
    char tmpl[] = "/tmp/qhf-dl-XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const std::string target = dir + "/教案.bin";
    std::string suggested;
    gtkui::SetDownloadChooser([&](const std::string& name) {
        suggested = name;
        return target;
    });
    std::vector<std::string> statuses;
    frmWebBrowser* p = Active();
    auto previous = p->WebBrowser1->StatusTextChange;
    p->WebBrowser1->StatusTextChange = [&, previous](const std::string& t) {
        statuses.push_back(t);
        previous(t);
    };
    p->WebBrowser1->Navigate(Url("/download"));
    ASSERT_TRUE(RunUntil([&] { return g_file_test(target.c_str(), G_FILE_TEST_EXISTS); }));
    struct stat st{};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 64 * 1024);
    EXPECT_EQ(suggested, "lesson-plan.bin");
    EXPECT_FALSE(g_file_test((target + ".part").c_str(), G_FILE_TEST_EXISTS));
    ASSERT_TRUE(RunUntil([&] { return !statuses.empty() && statuses.back().rfind("下载完成", 0) == 0; }));
    bool progress = false;
    for (const auto& s : statuses) progress |= s.rfind("正在下载 教案.bin", 0) == 0;
    EXPECT_TRUE(progress);
    EXPECT_EQ(frame->StatusBar1SimpleText(), statuses.back());
    gtkui::SetDownloadChooser(nullptr);
    g_unlink(target.c_str());
    g_rmdir(dir.c_str());
}

TEST_F(ShellTest, ACookieLoginIsKeptInTheProgramsOwnStorage) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/whoami"));
    ASSERT_TRUE(WaitTitle(p, "用户-未登录"));
    p->WebBrowser1->Navigate(Url("/login"));
    ASSERT_TRUE(WaitTitle(p, "已登录"));
    frmWebBrowser& q = frame->NewPage(Url("/whoami"));
    ASSERT_TRUE(WaitTitle(&q, "用户-teacher"));
    // The cookie store lives under the XDG data folder of the program.
    const std::string db = gtkui::WebEngineDataDir() + "/cookies.sqlite";
    EXPECT_EQ(gtkui::WebEngineDataDir().rfind(getenv("XDG_DATA_HOME"), 0), 0u);
    ASSERT_TRUE(RunUntil([&] { return g_file_test(db.c_str(), G_FILE_TEST_EXISTS); }));
}

namespace {
// The engine's web processes that run under this test program, by OS process
// id. In the sandbox each sits below two bubblewrap processes.
std::set<pid_t> WebProcesses() {
    std::map<pid_t, pid_t> parent;
    std::map<pid_t, std::string> name;
    if (DIR* d = opendir("/proc")) {
        while (dirent* e = readdir(d)) {
            const pid_t pid = static_cast<pid_t>(std::atoi(e->d_name));
            if (pid <= 0) continue;
            std::ifstream in(std::string("/proc/") + e->d_name + "/stat");
            std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const auto open = stat.find('('), close = stat.rfind(')');
            if (open == std::string::npos || close == std::string::npos) continue;
            name[pid] = stat.substr(open + 1, close - open - 1);
            char state = 0;
            int ppid = 0;
            if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && state != 'Z')
                parent[pid] = ppid;
        }
        closedir(d);
    }
    std::set<pid_t> found;
    for (const auto& [pid, ppid] : parent) {
        if (name[pid] != "WebKitWebProces") continue;  // the kernel keeps 15 characters
        pid_t up = ppid;
        for (int depth = 0; depth < 8 && up > 1; ++depth) {
            if (up == getpid()) {
                found.insert(pid);
                break;
            }
            auto it = parent.find(up);
            up = it == parent.end() ? 0 : it->second;
        }
    }
    return found;
}

bool Alive(pid_t pid) { return WebProcesses().count(pid) != 0; }

struct Ending {
    const char* name;
    std::function<void(pid_t, WebKitWebView*)> end;
};

const Ending kEndings[] = {
    {"KilledBySignal9", [](pid_t pid, WebKitWebView*) { kill(pid, SIGKILL); }},
    // The engine's own end of a process, as when it runs out of memory.
    {"EndedByTheEngine", [](pid_t, WebKitWebView* v) { webkit_web_view_terminate_web_process(v); }},
};

void PrintTo(const Ending& e, std::ostream* os) { *os << e.name; }

class DeadWebProcess : public ShellTest, public ::testing::WithParamInterface<Ending> {};
}  // namespace

TEST_P(DeadWebProcess, OnlyItsPageShowsTheMessageAndRefreshRecoversIt) {
    frmWebBrowser* first = Active();
    first->WebBrowser1->Navigate(Url("/long-title"));
    ASSERT_TRUE(WaitTitle(first, "这是一个超过十个字符的很长的网页标题"));
    const std::set<pid_t> before = WebProcesses();
    ASSERT_FALSE(before.empty());
    frmWebBrowser& victim = frame->NewPage(Url("/target"));
    ASSERT_TRUE(WaitTitle(&victim, "目标页"));
    std::set<pid_t> fresh;
    for (pid_t pid : WebProcesses())
        if (!before.count(pid)) fresh.insert(pid);
    ASSERT_EQ(fresh.size(), 1u) << "each page has a web process of its own";
    const pid_t victimPid = *fresh.begin();
    frmWebBrowser& third = frame->NewPage(Url("/empty-title"));
    ASSERT_TRUE(WaitLoaded(&third));
    std::set<pid_t> survivors = WebProcesses();
    survivors.erase(victimPid);
    ASSERT_GE(survivors.size(), 2u);
    // Script state that only lives as long as each other page's document.
    for (frmWebBrowser* p : {first, &third}) EXPECT_EQ(Eval(*p->WebBrowser1, "window.qhfMark = 'still-here'"), "still-here");

    user32::SendMessageA(frame->MdiClient(), WM_MDIACTIVATE, victim.hWnd(), 0);
    GetParam().end(victimPid, victim.WebBrowser1->View());
    ASSERT_TRUE(WaitTitle(&victim, "网页已停止工作"));
    EXPECT_TRUE(RunUntil([&] { return !Alive(victimPid); }));
    for (pid_t pid : survivors) EXPECT_TRUE(Alive(pid)) << pid;
    EXPECT_EQ(victim.WebBrowser1->LocationURL(), Url("/target"));
    EXPECT_NE(Eval(*victim.WebBrowser1, "document.body.innerText").find(Url("/target")), std::string::npos);
    EXPECT_EQ(frame->StatusBar1SimpleText(), "网页已停止工作：" + Url("/target"));

    // The other pages go on with the same documents and still navigate.
    EXPECT_EQ(first->Caption(), "这是一个超过十个字符的很长的网页标题");
    for (frmWebBrowser* p : {first, &third}) EXPECT_EQ(Eval(*p->WebBrowser1, "window.qhfMark"), "still-here");
    third.WebBrowser1->Navigate(Url("/inner2"));
    EXPECT_TRUE(WaitTitle(&third, "框架第二页"));
    // The program takes new work.
    frmWebBrowser& later = frame->NewPage(Url("/inner"));
    EXPECT_TRUE(WaitTitle(&later, "框架内页"));

    // 刷新 on the button bar, pressed with the pointer, brings the page back.
    user32::SendMessageA(frame->MdiClient(), WM_MDIACTIVATE, victim.hWnd(), 0);
    ASSERT_EQ(Active(), &victim);
    GtkWidget* refresh = FindLabeled(GTK_WIDGET(frame->Host().Window()), GTK_TYPE_BUTTON, "刷新");
    ASSERT_NE(refresh, nullptr);
    int x = 0, y = 0;
    ASSERT_TRUE(WidgetCenter(refresh, &x, &y));
    XClick(x, y);
    ASSERT_TRUE(WaitTitle(&victim, "目标页"));
    EXPECT_EQ(Eval(*victim.WebBrowser1, "document.querySelector('h1').textContent"), "目标页");
    EXPECT_EQ(victim.WebBrowser1->LocationURL(), Url("/target"));
    EXPECT_TRUE(victim.WebBrowser1->CrashedAddress().empty());
}

INSTANTIATE_TEST_SUITE_P(Endings, DeadWebProcess, ::testing::ValuesIn(kEndings),
                         [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

TEST_F(ShellTest, AWindowOpenStormStopsAtTheLimit) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/storm"));
    ASSERT_TRUE(WaitTitle(p, "弹窗风暴"));
    ASSERT_TRUE(WaitLoaded(p));
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*p->WebBrowser1, "#storm", &x, &y));
    XClick(x, y);
    ASSERT_TRUE(RunUntil([&] { return PageCount() == 1u + frmWebBrowser::kStormLimit; }));
    Pump(1500);
    EXPECT_EQ(PageCount(), 1u + frmWebBrowser::kStormLimit);
    // Still responsive: a new page opens and loads.
    frmWebBrowser& q = frame->NewPage(Url("/target"));
    EXPECT_TRUE(WaitTitle(&q, "目标页"));
}
