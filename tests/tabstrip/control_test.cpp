#include "gfx/StdFont.h"
#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

TEST_F(StripTest, AttachingTakesTheEdgeAndReservesTheBand) {
    EXPECT_EQ(strip->m_hWndClient, client);
    EXPECT_EQ(GetWindowLongA(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetClientRectInWindow(client), (RECT{3, 25, 797, 517}));
    strip->Terminate();
    EXPECT_EQ(GetWindowLongA(client, GWL_EXSTYLE), static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | 0x4));
    // Without the subclass the next frame change gives the space back.
    SetWindowPos(client, 0, 0, 0, 0, 0, 0x227);
    EXPECT_EQ(GetClientRectInWindow(client), (RECT{2, 2, 798, 518}));
}

TEST_F(StripTest, PropertiesLoadTheirDefaultsAndReportEveryChange) {
    auto fresh = xsMDITabs::Create(host::ControlHost{});
    EXPECT_EQ(fresh->Style(), 0);  // never loaded
    EXPECT_EQ(strip->Style(), 4);
    EXPECT_TRUE(strip->DrawIcons());
    EXPECT_FALSE(strip->ShowFocusRect());
    EXPECT_EQ(strip->Font()->Name(), "Tahoma");

    strip->Style(4);
    strip->DrawIcons(true);
    EXPECT_EQ(changed, (std::vector<std::string>{"Style", "DrawIcons"}));

    auto bold = std::make_shared<StdFont>();
    bold->Name("Tahoma");
    bold->Bold(true);
    auto before = strip->Font();
    strip->Font(bold);
    EXPECT_EQ(strip->Font(), before);  // same face: nothing changes
    auto other = std::make_shared<StdFont>();
    other->Name("Verdana");
    strip->Font(other);
    EXPECT_EQ(strip->Font(), other);  // shared, not copied

    host::PropertyBag bag;
    strip->Style(1);
    strip->ShowFocusRect(true);
    strip->WriteProperties(bag);
    EXPECT_EQ(bag.WriteOrder(), (std::vector<std::string>{"Style", "Font", "ShowFocusRect", "DrawIcons"}));
    EXPECT_FALSE(bag.Has("DrawIcons"));  // at its default
    host::ControlHost design;
    design.userMode = false;
    auto loaded = xsMDITabs::Create(design);
    loaded->ReadProperties(bag);
    EXPECT_EQ(loaded->Style(), 1);
    EXPECT_TRUE(loaded->ShowFocusRect());
    EXPECT_EQ(loaded->Font(), other);
    EXPECT_EQ(loaded->m_hWndClient, 0u);  // design mode never attaches
    int32_t w = 100, h = 7;
    loaded->UserControl_Resize(w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
}

TEST_F(StripTest, ColourSlotsFollowTheStyle) {
    EXPECT_EQ(strip->m_lColorBack, 0);  // style 4 assigns nothing
    strip->Style(2);
    EXPECT_EQ(strip->m_lColorBack, static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(strip->m_lColorActiveText, 0);
    strip->Style(0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto shift = [](int v) { return std::min(255, v + 18); };
    EXPECT_EQ(strip->m_lColorBack,
              static_cast<int32_t>(RGB(shift(GetRValue(face)), shift(GetGValue(face)), shift(GetBValue(face)))));
    EXPECT_EQ(strip->m_lColorGlyph, static_cast<int32_t>(0x80000015));
    strip->Style(9);
    EXPECT_EQ(strip->m_lColorGlyph, static_cast<int32_t>(0x80000015));  // kept
    strip->Style(3);
    EXPECT_EQ(strip->m_lColorSeparator, static_cast<int32_t>(0x80000010));
    EXPECT_EQ(strip->m_aTabColors[0], 0xE4A88A);
}

TEST_F(StripTest, TheTabListKeepsTheUsersOrderAndRotatesColours) {
    std::vector<HWND> pages;
    for (int i = 0; i < 9; ++i) pages.push_back(NewPage(std::string("p").append(std::to_string(i))));
    strip->RefreshTabList();
    ASSERT_EQ(strip->m_colTabs.Count(), 9u);
    EXPECT_EQ(strip->m_colTabColor.Item(9), 1);  // the ninth tab ever
    EXPECT_EQ(strip->m_colTabs.Key(1), std::to_string(pages[0]) + "H");
    DestroyWindow(pages[1]);
    strip->RefreshTabList();
    EXPECT_EQ(strip->m_colTabs.Count(), 8u);
    EXPECT_EQ(strip->m_colTabs.Item(2), pages[2]);
    HWND tenth = NewPage("p9");
    strip->RefreshTabList();
    EXPECT_EQ(strip->m_colTabs.Item(9), tenth);
    EXPECT_EQ(strip->m_colTabColor.Item(9), 2);
    // A window whose class has no "Form" never becomes a tab.
    WNDCLASSA plain;
    plain.lpszClassName = "PlainChild";
    RegisterClassA(plain);
    CreateWindowExA(0, "PlainChild", "", WS_CHILD, 0, 0, 5, 5, tenth);
    strip->RefreshTabList();
    EXPECT_EQ(strip->m_colTabs.Count(), 9u);
}

TEST_F(StripTest, MoveTabKeepsPaletteNumbersWithTheirWindows) {
    std::vector<HWND> p;
    for (const char* t : {"A", "B", "C", "D", "E"}) p.push_back(NewPage(t));
    auto order = [&] {
        std::string s;
        for (size_t i = 1; i <= strip->m_colTabs.Count(); ++i)
            s += GetWindowTextA(strip->m_colTabs.Item(i)) + std::to_string(strip->m_colTabColor.Item(i));
        return s;
    };
    const struct {
        int from, to;
        const char* expected;
        int dragTab;
    } cases[] = {{4, 2, "A1D4B2C3E5", 2}, {2, 4, "A1C3D4B2E5", 4}, {1, 5, "B2C3D4E5A1", 5}};
    for (const auto& c : cases) {
        strip->m_colTabs.Clear();
        strip->m_colTabColor.Clear();
        for (size_t i = 0; i < p.size(); ++i) {
            strip->m_colTabs.Add(xsMDITabs::KeyOf(p[i]), p[i]);
            strip->m_colTabColor.Add(xsMDITabs::KeyOf(p[i]), static_cast<int32_t>(i + 1));
        }
        strip->MoveTab(c.from, c.to);
        EXPECT_EQ(order(), c.expected);
        EXPECT_EQ(strip->m_lDragTab, c.dragTab);
        EXPECT_TRUE(strip->m_bDragWait);
    }
}

TEST_F(StripTest, CaptionsAreTheFirstTenUnits) {
    const struct {
        const char* title;
        std::u16string caption;
    } cases[] = {{"这是一个超过十个字符的很长的网页标题", u"这是一个超过十个字符"},
                 {"", u""},
                 {"Short", u"Short"},
                 {"0123456789abc", u"0123456789"}};
    for (const auto& c : cases) {
        HWND h = NewPage(c.title);
        EXPECT_EQ(modSystem::GetTabCaption(h), c.caption);
        DestroyWindow(h);
    }
}

TEST_F(StripTest, IconsComeFromTheWindowOrTheDefaultGlyph) {
    HWND none = NewPage("none");
    EXPECT_EQ(strip->GetTabIcon(none), strip->picDefault);
    HWND withSmall = NewPage("small");
    std::vector<uint32_t> px(16 * 16, 0xFF3366CC);
    HICON small = gdi32::CreateIconFromPixels(16, 16, px.data());
    SendMessageA(withSmall, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(small));
    {
        auto pic = strip->GetTabIcon(withSmall);
        ASSERT_NE(pic, strip->picDefault);
        EXPECT_EQ(pic->Type(), oleaut::PICTYPE_ICON);
    }
    // The window's own icon survives the picture.
    EXPECT_EQ(static_cast<HICON>(SendMessageA(withSmall, WM_GETICON, ICON_SMALL, 0)), small);
    int cx = 0, cy = 0;
    std::vector<uint32_t> out;
    EXPECT_TRUE(gdi32::GetIconPixels(small, &cx, &cy, &out));
    HWND withBig = NewPage("big");
    std::vector<uint32_t> bigpx(32 * 32, 0xFF00AA00);
    HICON big = gdi32::CreateIconFromPixels(32, 32, bigpx.data());
    SendMessageA(withBig, WM_SETICON, ICON_BIG, static_cast<LPARAM>(big));
    auto pic = strip->GetTabIcon(withBig);
    ASSERT_NE(pic, strip->picDefault);
    ASSERT_TRUE(gdi32::GetIconPixels(static_cast<HICON>(pic->Handle()), &cx, &cy, &out));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    gdi32::DestroyIcon(small);
    gdi32::DestroyIcon(big);
}
