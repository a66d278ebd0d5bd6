// The tab row is drawn again only when something it shows changed: after
// each kind of change, a pass that may reuse the row gives the same band and
// the same stored rectangles as a pass that draws it from scratch.
#include <functional>
#include <tuple>

#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

namespace {

struct Change {
    const char* name;
    std::function<void(xsMDITabs& strip, HWND client, const std::vector<HWND>& pages)> apply;
};

const Change kChanges[] = {
    {"caption", [](xsMDITabs&, HWND, const std::vector<HWND>& p) { SetWindowTextA(p[1], "新标题 New"); }},
    {"activation", [](xsMDITabs&, HWND client, const std::vector<HWND>& p) {
         SendMessageA(client, WM_MDIACTIVATE, p[0], 0);
     }},
    // Underlining changes no width, so only the face itself can tell.
    {"font_underline", [](xsMDITabs& s, HWND, const std::vector<HWND>&) { s.Font()->Underline(true); }},
    {"system_colours", [](xsMDITabs&, HWND, const std::vector<HWND>&) {
         const int which[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_WINDOWTEXT};
         const COLORREF values[] = {RGB(200, 180, 160), RGB(90, 30, 30), RGB(250, 250, 200), RGB(0, 0, 160)};
         SetSysColors(4, which, values);
     }},
    {"page_icon", [](xsMDITabs&, HWND, const std::vector<HWND>& p) {
         std::vector<uint32_t> px(16 * 16, 0xFFCC3322);
         HICON icon = gdi32::CreateIconFromPixels(16, 16, px.data());
         SendMessageA(p[2], WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
     }},
    {"focus_rectangle", [](xsMDITabs& s, HWND, const std::vector<HWND>&) {
         s.ShowFocusRect(true);
         s.m_bFrameActive = true;
     }},
    {"scroll_position", [](xsMDITabs& s, HWND, const std::vector<HWND>&) { s.m_lScrollX = 17; }},
};

class TabRowMemo : public StripTest, public ::testing::WithParamInterface<std::tuple<int, size_t>> {
protected:
    std::vector<uint32_t> Band() {
        auto s = GetWindowSurface(client);
        std::vector<uint32_t> band;
        for (int y = 0; y < 25; ++y) band.insert(band.end(), s->Row(y), s->Row(y) + s->width);
        return band;
    }
};

TEST_P(TabRowMemo, ReusedRowEqualsARowDrawnAfresh) {
    const auto [style, which] = GetParam();
    const Change& change = kChanges[which];
    strip->Style(style);
    std::vector<HWND> pages{NewPage("第一页 青禾坊"), NewPage("Lesson plans"), NewPage("作文"), NewPage("D")};
    strip->DrawTabs(client);
    const auto before = Band();
    const auto rectsBefore = strip->m_aTabRect;
    strip->DrawTabs(client);  // nothing changed: the row is reused
    EXPECT_EQ(Band(), before);
    EXPECT_EQ(strip->m_aTabRect, rectsBefore);

    change.apply(*strip, client, pages);
    strip->DrawTabs(client);
    const auto reused = Band();
    const auto reusedRects = strip->m_aTabRect;
    const auto reusedCaption = strip->m_sCaption;
    strip->m_tabRowMemo.key.clear();
    strip->DrawTabs(client);
    const auto fresh = Band();
    EXPECT_NE(fresh, before) << change.name << " must show in the band";
    EXPECT_EQ(reused, fresh) << change.name;
    EXPECT_EQ(reusedRects, strip->m_aTabRect);
    EXPECT_EQ(reusedCaption, strip->m_sCaption);
}

INSTANTIATE_TEST_SUITE_P(StylesAndChanges, TabRowMemo,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4),
                                            ::testing::Range<size_t>(0, std::size(kChanges))),
                         [](const auto& info) {
                             return std::string("style")
                                 .append(std::to_string(std::get<0>(info.param)))
                                 .append("_")
                                 .append(kChanges[std::get<1>(info.param)].name);
                         });

}  // namespace

// The frame lines of the client window are drawn again only when something
// else drew on the window since the last pass (or their colours or the
// window's size changed).
TEST_F(StripTest, FrameLinesAreDrawnAgainOnlyAfterOtherDrawingOnTheWindow) {
    strip->Style(0);
    NewPage("A");
    strip->DrawTabs(client);
    strip->DrawTabs(client);
    auto s = GetWindowSurface(client);
    const int y = s->height / 2;  // the outer frame line, well below the band
    const uint32_t line = s->Row(y)[0];
    s->Row(y)[0] = line ^ 0xFFFFFF;  // changed behind every drawing call's back
    strip->DrawTabs(client);
    EXPECT_EQ(s->Row(y)[0], line ^ 0xFFFFFF) << "nothing drew on the window: the lines were left alone";
    // Anything drawn through a window context counts as drawing on the window.
    HDC dc = gdi32::GetWindowDC(client);
    gdi32::SetPixel(dc, 100, y, RGB(1, 2, 3));
    gdi32::ReleaseDC(client, dc);
    strip->DrawTabs(client);
    EXPECT_EQ(s->Row(y)[0], line);
    // So do a new size and new colours.
    for (auto change : {+[](xsMDITabs& t, HWND c) { SetWindowPos(c, 0, 0, 60, 780, 500, SWP_NOZORDER); (void)t; },
                        +[](xsMDITabs& t, HWND) { t.Style(1); }}) {
        auto now = GetWindowSurface(client);
        const int yy = now->height / 2;
        strip->DrawTabs(client);
        now->Row(yy)[0] ^= 0xFFFFFF;
        const uint32_t wrong = now->Row(yy)[0];
        change(*strip, client);
        strip->DrawTabs(client);
        now = GetWindowSurface(client);
        EXPECT_NE(now->Row(now->height / 2)[0], wrong);
    }
}
