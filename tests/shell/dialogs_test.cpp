// Page dialogs answered with the keyboard, as a teacher would.
#include "shell_fixture.h"

using namespace e2e;

TEST_F(ShellTest, PageDialogsAppearAndTheirAnswersReachThePage) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/dialogs"));
    ASSERT_TRUE(WaitTitle(p, "对话框"));
    ASSERT_TRUE(WaitLoaded(p));
    const struct {
        const char* button;
        const char* title;
    } cases[] = {{"#a", "alert-done"}, {"#c", "confirm-true"}, {"#p", "prompt-张老师"}};
    for (const auto& c : cases) {
        int x = 0, y = 0;
        ASSERT_TRUE(ElementCenter(*p->WebBrowser1, c.button, &x, &y));
        XClick(x, y);
        Pump(700);  // the dialog is up; the page waits for it
        EXPECT_NE(p->Caption(), c.title);  // not answered yet
        std::system((std::string("DISPLAY=") + getenv("DISPLAY") + " xdotool key Return").c_str());
        EXPECT_TRUE(WaitTitle(p, c.title)) << c.button;
    }
}

TEST_F(ShellTest, BasicAuthenticationAsksForTheLogin) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/auth"));
    Pump(1500);  // WebKit's login box is up over the page
    EXPECT_NE(p->Caption(), "认证成功");
    const std::string x = std::string("DISPLAY=") + getenv("DISPLAY") + " xdotool ";
    std::system((x + "type --delay 30 teacher").c_str());
    std::system((x + "key Tab").c_str());
    std::system((x + "type --delay 30 secret").c_str());
    std::system((x + "key Return").c_str());
    EXPECT_TRUE(WaitTitle(p, "认证成功"));
}

TEST_F(ShellTest, AFileChosenInTheUploadDialogReachesTheSite) {
    const std::string path = std::string(getenv("XDG_RUNTIME_DIR")) + "/essay.txt";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("我的作文", f);
    std::fclose(f);
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/upload"));
    ASSERT_TRUE(WaitTitle(p, "上传"));
    ASSERT_TRUE(WaitLoaded(p));
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*p->WebBrowser1, "#f", &x, &y));
    XClick(x, y);
    Pump(1500);  // the file chooser is up
    const std::string xd = std::string("DISPLAY=") + getenv("DISPLAY") + " xdotool ";
    std::system((xd + "key ctrl+l").c_str());
    Pump(300);
    std::system((xd + "type --delay 20 '" + path + "'").c_str());
    Pump(300);
    std::system((xd + "key Return").c_str());
    ASSERT_TRUE(RunUntil([&] { return Eval(*p->WebBrowser1, "document.getElementById('f').files.length") == "1"; }, 8000));
    Eval(*p->WebBrowser1, "document.forms[0].submit()");
    EXPECT_TRUE(WaitTitle(p, "上传-essay.txt-12")) << p->Caption();
}
