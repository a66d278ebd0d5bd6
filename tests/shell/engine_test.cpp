// What the browser control does beyond showing pages: downloads, the storage
// that keeps a login, recovery from a dead web process, new-window storms.
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <webkit2/webkit2.h>

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

TEST_F(ShellTest, ADeadWebProcessShowsAMessageAndRefreshRecovers) {
    frmWebBrowser* first = Active();
    first->WebBrowser1->Navigate(Url("/target"));
    ASSERT_TRUE(WaitTitle(first, "目标页"));
    frmWebBrowser& other = frame->NewPage(Url("/long-title"));
    ASSERT_TRUE(WaitTitle(&other, "这是一个超过十个字符的很长的网页标题"));
    user32::SendMessageA(frame->MdiClient(), WM_MDIACTIVATE, first->hWnd(), 0);
    webkit_web_view_terminate_web_process(first->WebBrowser1->View());
    ASSERT_TRUE(WaitTitle(first, "网页已停止工作"));
    EXPECT_EQ(first->WebBrowser1->LocationURL(), Url("/target"));
    EXPECT_NE(Eval(*first->WebBrowser1, "document.body.innerText").find(Url("/target")), std::string::npos);
    // The other page goes on working.
    other.WebBrowser1->Navigate(Url("/empty-title"));
    ASSERT_TRUE(RunUntil([&] { return other.m_URL == Url("/empty-title") && !other.WebBrowser1->IsLoading(); }));
    frame->Toolbar1_ButtonClick(4);  // 刷新
    EXPECT_TRUE(WaitTitle(first, "目标页"));
}

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
