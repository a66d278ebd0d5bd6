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
