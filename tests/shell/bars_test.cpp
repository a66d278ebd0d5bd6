#include <set>

#include "platform/user32.h"
#include "shell/frmAbout.h"
#include "shell_fixture.h"

using namespace e2e;

TEST_F(ShellTest, TheSectionTableHasItsShape) {
    size_t leaves = 0, separators = 0, tops = 0;
    std::set<std::string> paths;
    for (const auto& e : SectionMenuTable()) {
        if (e.kind == MenuKind::Leaf) {
            ++leaves;
            EXPECT_EQ(e.path[0], '/') << e.identifier;
            EXPECT_TRUE(paths.insert(e.path).second) << "shared path " << e.path;
        }
        if (e.kind == MenuKind::Separator) ++separators;
        if (e.kind == MenuKind::Top) ++tops;
    }
    EXPECT_EQ(leaves, 60u);
    EXPECT_EQ(separators, 23u);
    EXPECT_EQ(tops, 9u);  // and 文件 makes ten
    EXPECT_EQ(frame->SectionItems().size(), 60u);
}

TEST_F(ShellTest, EveryLeafOpensExactlyItsOwnAddress) {
    for (const auto& si : frame->SectionItems()) {
        const std::string want = site->Root() + si.entry->path;
        gtk_menu_item_activate(GTK_MENU_ITEM(si.item));
        frmWebBrowser* p = Active();
        ASSERT_NE(p, nullptr);
        ASSERT_TRUE(RunUntil([&] { return p->m_URL == want; })) << si.entry->caption;
        ASSERT_TRUE(WaitTitle(p, site::SectionTitle(si.entry->path))) << si.entry->caption;
        EXPECT_EQ(p->WebBrowser1->LocationURL(), want);
        user32::SendMessageA(p->hWnd(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(PageCount(), 1u);
}

TEST_F(ShellTest, ALeafClickedTwiceWithThePointerOpensTwoPages) {
    const auto& items = frame->SectionItems();
    auto it = std::find_if(items.begin(), items.end(),
                           [](const frmMain::SectionItem& s) { return std::string(s.entry->identifier) == "woderizhi"; });
    ASSERT_NE(it, items.end());
    GtkWidget* top = gtk_menu_get_attach_widget(GTK_MENU(gtk_widget_get_parent(it->item)));
    for (int round = 1; round <= 2; ++round) {
        int x = 0, y = 0;
        ASSERT_TRUE(WidgetCenter(top, &x, &y));
        XClick(x, y);
        ASSERT_TRUE(RunUntil([&] { return gtk_widget_get_mapped(it->item); }));
        Pump(200);
        ASSERT_TRUE(WidgetCenter(it->item, &x, &y));
        XClick(x, y);
        ASSERT_TRUE(RunUntil([&] { return PageCount() == static_cast<size_t>(1 + round); }));
        EXPECT_TRUE(RunUntil([&] { return Active()->m_URL == Url("/mode.php?m=o&q=diary"); }));
    }
}

TEST_F(ShellTest, ALeafOpensWhileTheAddressBoxHasTheFocus) {
    frame->Host().FocusWidget(frame->Host().AddressBox());
    ASSERT_TRUE(RunUntil([&] { return frame->isEditUrl; }));
    frame->SetText1("还没打完");
    gtk_menu_item_activate(GTK_MENU_ITEM(frame->SectionItems().front().item));
    ASSERT_EQ(PageCount(), 2u);
    ASSERT_TRUE(WaitTitle(Active(), site::SectionTitle(frame->SectionItems().front().entry->path)));
    EXPECT_EQ(frame->Text1(), "还没打完");
}

TEST_F(ShellTest, ButtonBarActions) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/target"));
    ASSERT_TRUE(WaitTitle(p, "目标页"));
    frame->Toolbar1_ButtonClick(1);  // 后退
    ASSERT_TRUE(WaitTitle(p, "青禾坊教育社区"));
    frame->Toolbar1_ButtonClick(2);  // 前进
    ASSERT_TRUE(WaitTitle(p, "目标页"));
    frame->Toolbar1_ButtonClick(4);  // 刷新
    ASSERT_TRUE(WaitLoaded(p));
    frame->Toolbar1_ButtonClick(1);
    ASSERT_TRUE(WaitTitle(p, "青禾坊教育社区"));
    frame->Toolbar1_ButtonClick(1);  // nothing earlier: nothing happens
    Pump(200);
    EXPECT_EQ(p->WebBrowser1->LocationURL(), Url("/"));

    // With every page closed the navigation buttons do nothing; the others still open pages.
    user32::SendMessageA(p->hWnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(PageCount(), 0u);
    for (int i : {1, 2, 3, 4, 6, 9, 11, 0, -1}) frame->Toolbar1_ButtonClick(i);
    EXPECT_EQ(PageCount(), 0u);
    const struct {
        int index;
        std::string prefix;
    } opens[] = {{5, Url("/")}, {7, "https://www.baidu.com"}, {8, Url("/")}};
    size_t n = 0;
    for (const auto& o : opens) {
        frame->Toolbar1_ButtonClick(o.index);
        EXPECT_EQ(PageCount(), ++n);
        frmWebBrowser* q = Active();
        EXPECT_TRUE(RunUntil([&] { return q->m_URL.rfind(o.prefix, 0) == 0; })) << o.index;
    }
}

TEST_F(ShellTest, GoTrimsSpacesAndOpensANewPage) {
    frame->SetText1("     ");
    frame->Go();
    EXPECT_EQ(PageCount(), 1u);
    frmWebBrowser* first = Active();
    frame->Host().FocusWidget(frame->Host().AddressBox());
    frame->SetText1("  " + Url("/target") + "  ");
    int x = 0, y = 0;
    ASSERT_TRUE(WidgetCenter(frame->Host().AddressBox(), &x, &y));
    XClick(x, y);
    std::system(("DISPLAY=" + std::string(getenv("DISPLAY")) + " xdotool key Return").c_str());
    ASSERT_TRUE(RunUntil([&] { return PageCount() == 2; }));
    EXPECT_TRUE(WaitTitle(Active(), "目标页"));
    EXPECT_NE(Active(), first);
    EXPECT_EQ(first->Caption(), "青禾坊教育社区");
    // A host name without a scheme is opened as http.
    EXPECT_EQ(gtkui::WebBrowser::InterpretAddress("127.0.0.1:8080/x"), "http://127.0.0.1:8080/x");
    EXPECT_EQ(gtkui::WebBrowser::InterpretAddress("about:blank"), "about:blank");
    EXPECT_EQ(gtkui::WebBrowser::InterpretAddress("https://a.b/c"), "https://a.b/c");
}

TEST_F(ShellTest, AboutIsModalAndClosesWithEnterOrEsc) {
    for (const char* key : {"Escape", "Return"}) {
        frame->Toolbar1_ButtonClick(10);
        GtkWidget* dlg = frmAbout::Current();
        ASSERT_NE(dlg, nullptr);
        EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(dlg)));
        EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(dlg)), frame->Host().Window());
        ASSERT_TRUE(RunUntil([&] { return gtk_widget_get_mapped(dlg); }));
        Pump(300);
        // The frame takes no input: a click on 新建空白页's neighbour, the go button, does nothing.
        frame->SetText1(Url("/target"));
        int x = 0, y = 0;
        ASSERT_TRUE(WidgetCenter(frame->Host().GoButton(), &x, &y));
        XClick(x, y);
        Pump(300);
        EXPECT_EQ(PageCount(), 1u);
        frame->Toolbar1_ButtonClick(10);  // showing again brings up the same dialog
        EXPECT_EQ(frmAbout::Current(), dlg);
        std::system((std::string("DISPLAY=") + getenv("DISPLAY") + " xdotool key " + key).c_str());
        ASSERT_TRUE(RunUntil([&] { return frmAbout::Current() == nullptr; })) << key;
    }
    // After it closed the frame takes input again.
    int x = 0, y = 0;
    ASSERT_TRUE(WidgetCenter(frame->Host().GoButton(), &x, &y));
    XClick(x, y);
    EXPECT_TRUE(RunUntil([&] { return PageCount() == 2; }));
}
