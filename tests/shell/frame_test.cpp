#include <webkit2/webkit2.h>

#include "platform/user32.h"
#include "shell_fixture.h"

using namespace e2e;

TEST_F(ShellTest, StartsWithOneMaximizedPageOnTheRoot) {
    ASSERT_EQ(PageCount(), 1u);
    frmWebBrowser* p = Active();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(user32::IsZoomed(p->hWnd()));
    EXPECT_EQ(p->WebBrowser1->LocationURL(), Url("/"));
    EXPECT_EQ(p->m_URL, Url("/"));
    EXPECT_EQ(frame->Text1(), Url("/"));
    EXPECT_EQ(frame->ActiveWeb, p->WebBrowser1);
    // The page fills the MDI client's client area.
    RECT pc, cc;
    user32::GetClientRect(p->hWnd(), &pc);
    user32::GetClientRect(frame->MdiClient(), &cc);
    EXPECT_EQ(pc, cc);
    EXPECT_GT(cc.right, 600);
}

TEST_F(ShellTest, NewBlankPageOpensASecondActivePage) {
    frmWebBrowser* first = Active();
    frame->mFiles_Click(1);
    ASSERT_EQ(PageCount(), 2u);
    frmWebBrowser* second = Active();
    ASSERT_NE(second, first);
    EXPECT_TRUE(RunUntil([&] { return second->m_URL == "about:blank"; }));
    EXPECT_EQ(frame->Text1(), "about:blank");
    EXPECT_EQ(frame->ActiveWeb, second->WebBrowser1);
    EXPECT_EQ(first->Caption(), "青禾坊教育社区");
    EXPECT_TRUE(user32::IsZoomed(second->hWnd()));
}

TEST_F(ShellTest, TargetBlankLinkClickedWithThePointerOpensANewPage) {
    frmWebBrowser* first = Active();
    ASSERT_TRUE(WaitLoaded(first));
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*first->WebBrowser1, "#blank", &x, &y));
    XClick(x, y);
    ASSERT_TRUE(RunUntil([&] { return PageCount() == 2; }));
    frmWebBrowser* popup = Active();
    ASSERT_NE(popup, first);
    EXPECT_TRUE(WaitTitle(popup, "目标页"));
    EXPECT_EQ(popup->m_URL, Url("/target"));
    EXPECT_EQ(frame->Text1(), Url("/target"));
    EXPECT_EQ(first->Caption(), "青禾坊教育社区");
}

TEST_F(ShellTest, WindowOpenButtonOpensANewPage) {
    frmWebBrowser* first = Active();
    first->WebBrowser1->Navigate(Url("/popup"));
    ASSERT_TRUE(WaitTitle(first, "脚本弹窗"));
    ASSERT_TRUE(WaitLoaded(first));
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*first->WebBrowser1, "#open", &x, &y));
    XClick(x, y);
    ASSERT_TRUE(RunUntil([&] { return PageCount() == 2; }));
    frmWebBrowser* popup = Active();
    EXPECT_TRUE(WaitTitle(popup, "目标页"));
    EXPECT_EQ(frame->ActiveWeb, popup->WebBrowser1);
}

TEST_F(ShellTest, FrameNavigationShowsTheFrameAddressUntilTheNextTitle) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/frame"));
    ASSERT_TRUE(WaitTitle(p, "框架页"));
    ASSERT_TRUE(RunUntil([&] { return p->m_URL == Url("/inner") || p->m_URL == Url("/frame"); }));
    Pump(300);
    Eval(*p->WebBrowser1, "document.getElementById('f').contentDocument.getElementById('next').click()");
    ASSERT_TRUE(RunUntil([&] { return p->m_URL == Url("/inner2"); }));
    EXPECT_EQ(frame->Text1(), Url("/inner2"));
    Eval(*p->WebBrowser1, "document.title='新的标题'");
    ASSERT_TRUE(WaitTitle(p, "新的标题"));
    EXPECT_EQ(p->m_URL, Url("/frame"));
    EXPECT_EQ(frame->Text1(), Url("/frame"));
}

TEST_F(ShellTest, TheAddressBoxKeepsWhatTheUserTypes) {
    frmWebBrowser* p = Active();
    frame->Host().FocusWidget(frame->Host().AddressBox());
    ASSERT_TRUE(RunUntil([&] { return frame->isEditUrl; }));
    frame->SetText1("我正在输入");
    p->WebBrowser1->Navigate(Url("/title-script"));
    ASSERT_TRUE(WaitTitle(p, "新标题"));
    frame->mFiles_Click(1);  // an activation as well
    Pump(200);
    EXPECT_EQ(frame->Text1(), "我正在输入");
    // The status text still follows the active page.
    frmWebBrowser* blank = Active();
    blank->WebBrowser1->Navigate(Url("/target"));
    ASSERT_TRUE(WaitTitle(blank, "目标页"));
    EXPECT_TRUE(RunUntil([&] { return frame->StatusBar1SimpleText() == "完成"; }));
    EXPECT_EQ(frame->Text1(), "我正在输入");
    frame->Host().FocusWidget(GTK_WIDGET(blank->WebBrowser1->View()));
    EXPECT_TRUE(RunUntil([&] { return !frame->isEditUrl; }));
}

TEST_F(ShellTest, AnInactivePageNeverWritesIntoTheBars) {
    frmWebBrowser* first = Active();
    frame->mFiles_Click(1);
    frmWebBrowser* second = Active();
    ASSERT_TRUE(RunUntil([&] { return second->m_URL == "about:blank"; }));
    Pump(200);
    const std::string status = frame->StatusBar1SimpleText();
    first->WebBrowser1->Navigate(Url("/long-title"));
    ASSERT_TRUE(WaitTitle(first, "这是一个超过十个字符的很长的网页标题"));
    Pump(200);
    EXPECT_EQ(first->m_URL, Url("/long-title"));
    EXPECT_EQ(frame->Text1(), "about:blank");
    EXPECT_EQ(frame->StatusBar1SimpleText(), status);
    // Switching back shows the page's own last address.
    user32::SendMessageA(frame->MdiClient(), WM_MDIACTIVATE, first->hWnd(), 0);
    EXPECT_EQ(frame->Text1(), Url("/long-title"));
    EXPECT_EQ(frame->ActiveWeb, first->WebBrowser1);
}

TEST_F(ShellTest, AfterTheLastPageClosesActiveWebIsHarmless) {
    frmWebBrowser* p = Active();
    const HWND h = p->hWnd();
    auto web = frame->ActiveWeb;
    user32::SendMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(PageCount(), 0u);
    EXPECT_EQ(frame->ActiveHwnd, h);
    ASSERT_TRUE(frame->ActiveWeb);
    EXPECT_TRUE(frame->ActiveWeb->IsClosed());
    frame->ActiveWeb->GoBack();
    frame->ActiveWeb->GoForward();
    frame->ActiveWeb->Stop();
    frame->ActiveWeb->Refresh();
    frame->ActiveWeb->Navigate(Url("/"));
    EXPECT_EQ(frame->ActiveWeb->LocationURL(), "");
    frame->mFiles_Click(1);
    EXPECT_EQ(PageCount(), 1u);
    EXPECT_NE(frame->ActiveWeb, web);
}

TEST_F(ShellTest, PageCaptionReadsLoadingUntilTheFirstTitle) {
    frmWebBrowser& p = frame->NewPage(Url("/slow"));
    EXPECT_EQ(p.Caption(), "Loading...");
    Pump(300);
    EXPECT_EQ(p.Caption(), "Loading...");
    p.WebBrowser1->Stop();
    frame->ActiveWeb->Navigate(Url("/empty-title"));
    EXPECT_TRUE(RunUntil([&] { return p.m_URL == Url("/empty-title") && !p.WebBrowser1->IsLoading(); }));
}

TEST_F(ShellTest, QuitEndsTheProcessAtOnce) {
    // The child only runs the menu command, which ends it before it touches
    // anything shared with the parent.
    GTEST_FLAG_SET(death_test_style, "fast");
    frame->mFiles_Click(1);
    EXPECT_EXIT(frame->mFiles_Click(3), ::testing::ExitedWithCode(0), "");
}
