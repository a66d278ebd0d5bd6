// Text: measuring and drawing agree, rectangles, clipping, face names, the
// symbol glyph.
#include <gtest/gtest.h>

#include <cstring>

#include "gdi/memory_canvas.h"

using testgdi::MemoryCanvas;
using testgdi::PixelSet;

namespace {

HFONT MakeFont(const char* face, int height, int weight = gdi32::FW_NORMAL) {
    gdi32::LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, gdi32::LF_FACESIZE - 1);
    return gdi32::CreateFontIndirectA(&lf);
}

struct Bounds {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};
Bounds InkBounds(const MemoryCanvas& c, COLORREF paper) {
    Bounds b;
    for (auto [x, y] : c.Except(paper)) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
    }
    return b;
}

class Text : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(Text, CalcRectEqualsTheExtentAndInkStaysInsideIt) {
    const std::u16string s = GetParam();
    MemoryCanvas c(300, 40, RGB(255, 255, 255));
    HFONT f = MakeFont("Tahoma", -11);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    gdi32::SetBkMode(c.dc, gdi32::TRANSPARENT);
    SIZE ext;
    ASSERT_TRUE(gdi32::GetTextExtentPoint32W(c.dc, s.data(), static_cast<int>(s.size()), &ext));
    RECT calc{10, 5, 10, 5};
    const int h = gdi32::DrawTextW(c.dc, s.c_str(), -1, &calc, gdi32::DT_CALCRECT | gdi32::DT_NOPREFIX);
    EXPECT_EQ(calc, (RECT{10, 5, 10 + ext.cx, 5 + ext.cy}));
    EXPECT_EQ(h, ext.cy);
    EXPECT_TRUE(c.Except(RGB(255, 255, 255)).empty()) << "DT_CALCRECT draws nothing";
    RECT r{10, 5, 290, 35};
    gdi32::DrawTextW(c.dc, s.c_str(), -1, &r, gdi32::DT_NOPREFIX);
    const Bounds ink = InkBounds(c, RGB(255, 255, 255));
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + ext.cx);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + ext.cy);
    // The ink reaches into the last quarter of the measured width: the
    // measurement is not much wider than what is drawn.
    EXPECT_GT(ink.right, 10 + ext.cx * 3 / 4);
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

INSTANTIATE_TEST_SUITE_P(Captions, Text,
                         ::testing::Values(u"Home", u"新手专区 Home", u"我的日志", u"教学资料下载区一二三"));

TEST(Text, NarrowAndWideFunctionsMeasureTheSame) {
    MemoryCanvas c(10, 10);
    HFONT f = MakeFont("Tahoma", -11);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    const char* utf8 = "新手专区 Home";
    const char16_t* wide = u"新手专区 Home";
    SIZE a, b;
    gdi32::GetTextExtentPointA(c.dc, utf8, static_cast<int>(std::strlen(utf8)), &a);
    gdi32::GetTextExtentPointW(c.dc, wide, static_cast<int>(std::char_traits<char16_t>::length(wide)), &b);
    EXPECT_EQ(a, b);
    EXPECT_GT(a.cx, 40);
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

TEST(Text, CenteredTextIsClippedToItsRectangle) {
    MemoryCanvas c(100, 30, RGB(255, 255, 255));
    HFONT f = MakeFont("Tahoma", -20);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    gdi32::SetBkMode(c.dc, gdi32::TRANSPARENT);
    RECT r{40, 0, 60, 10};
    gdi32::DrawTextW(c.dc, u"WWWWWWWW", -1, &r, gdi32::DT_CENTER);
    const Bounds ink = InkBounds(c, RGB(255, 255, 255));
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 40);
    EXPECT_LE(ink.right, 60);
    EXPECT_LE(ink.bottom, 10);
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

TEST(Text, PrefixCharacterIsRemovedUnlessNoPrefix) {
    MemoryCanvas c(10, 10);
    HFONT f = MakeFont("Tahoma", -11);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    RECT withPrefix{0, 0, 0, 0}, plain{0, 0, 0, 0}, literal{0, 0, 0, 0};
    gdi32::DrawTextW(c.dc, u"A&B", -1, &withPrefix, gdi32::DT_CALCRECT);
    gdi32::DrawTextW(c.dc, u"AB", -1, &plain, gdi32::DT_CALCRECT);
    gdi32::DrawTextW(c.dc, u"A&B", -1, &literal, gdi32::DT_CALCRECT | gdi32::DT_NOPREFIX);
    EXPECT_EQ(withPrefix.right, plain.right);
    EXPECT_GT(literal.right, plain.right);
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

TEST(Text, MetricsFollowTheRequestedCharacterHeight) {
    MemoryCanvas c(10, 10);
    for (int height : {-11, -12, -14}) {
        HFONT f = MakeFont("Tahoma", height, gdi32::FW_BOLD);
        HGDIOBJ old = gdi32::SelectObject(c.dc, f);
        gdi32::TEXTMETRICA tm;
        ASSERT_TRUE(gdi32::GetTextMetricsA(c.dc, &tm));
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -height);
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
        EXPECT_EQ(tm.tmWeight, gdi32::FW_BOLD);
        EXPECT_EQ(tm.tmDigitizedAspectY, 96);
        gdi32::SelectObject(c.dc, old);
        gdi32::DeleteObject(f);
    }
}

TEST(Text, FaceNameIsCutAtACharacterBoundary) {
    MemoryCanvas c(10, 10);
    HFONT f = MakeFont("微软雅黑", -12);  // 12 bytes in UTF-8
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    char name[80];
    EXPECT_EQ(gdi32::GetTextFaceA(c.dc, 80, name), 12);
    EXPECT_STREQ(name, "微软雅黑");
    // Room for 7 bytes: two whole characters (6 bytes), not a broken third.
    char small[8];
    EXPECT_EQ(gdi32::GetTextFaceA(c.dc, 8, small), 6);
    EXPECT_STREQ(small, "微软");
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

TEST(Text, SymbolFontDrawsTheCloseCrossInItsEmSquare) {
    MemoryCanvas c(20, 20, RGB(255, 255, 255));
    HFONT f = MakeFont("Marlett", -9);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    gdi32::SetTextColor(c.dc, RGB(0, 0, 0));
    gdi32::SetBkMode(c.dc, gdi32::TRANSPARENT);
    SIZE ext;
    gdi32::GetTextExtentPoint32W(c.dc, u"r", 1, &ext);
    EXPECT_EQ(ext, (SIZE{9, 9}));
    RECT r{3, 3, 20, 20};
    gdi32::DrawTextW(c.dc, u"r", -1, &r, 0);
    // A cross: ink only inside the 9 × 9 cell at (3, 3), mirror-symmetric,
    // through the cell's middle and reaching toward its corners.
    const PixelSet ink = c.Where(RGB(0, 0, 0));
    ASSERT_FALSE(ink.empty());
    for (auto [x, y] : ink) {
        EXPECT_TRUE(x >= 3 && x < 12 && y >= 3 && y < 12) << x << "," << y;
        EXPECT_TRUE(ink.count({3 + 11 - x, y})) << "mirror of " << x << "," << y;
    }
    EXPECT_TRUE(ink.count({7, 7}));
    EXPECT_TRUE(ink.count({4, 4}));
    EXPECT_FALSE(ink.count({7, 4})) << "the top middle stays open";
    EXPECT_TRUE(c.Except(RGB(255, 255, 255)) == ink) << "no antialiased pixels";
    // Other characters of the symbol font take their cell but draw nothing.
    MemoryCanvas blank(20, 20, RGB(255, 255, 255));
    gdi32::SelectObject(blank.dc, f);
    RECT r2{0, 0, 20, 20};
    gdi32::DrawTextW(blank.dc, u"3", -1, &r2, 0);
    EXPECT_TRUE(blank.Except(RGB(255, 255, 255)).empty());
    gdi32::SelectObject(blank.dc, gdi32::GetStockObject(gdi32::SYSTEM_FONT));
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

TEST(Text, OpaqueModeFillsTheTextCellWithTheBackgroundColor) {
    MemoryCanvas c(60, 30, RGB(255, 255, 255));
    HFONT f = MakeFont("Tahoma", -11);
    HGDIOBJ old = gdi32::SelectObject(c.dc, f);
    gdi32::SetBkMode(c.dc, gdi32::OPAQUE);
    gdi32::SetBkColor(c.dc, RGB(0, 255, 0));
    RECT r{0, 0, 60, 30};
    gdi32::DrawTextW(c.dc, u"ab", -1, &r, 0);
    SIZE ext;
    gdi32::GetTextExtentPoint32W(c.dc, u"ab", 2, &ext);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(ext.cx - 1, ext.cy - 1), RGB(0, 255, 0));
    EXPECT_EQ(c.At(ext.cx, 0), RGB(255, 255, 255));
    gdi32::SelectObject(c.dc, old);
    gdi32::DeleteObject(f);
}

// A caption is shaped once and then drawn from what was kept: drawn again
// elsewhere it gives the same pixels moved, under a clip region the same
// pixels inside the region, and another weight of the font is another run.
TEST(Text, RepeatedCaptionDrawsTheSamePixelsMovedAndClipped) {
    constexpr COLORREF kPaper = RGB(250, 240, 230);
    const char16_t* caption = u"教学资料 Lesson 7";
    auto draw = [&](MemoryCanvas& c, int x, int y, HRGN clip) {
        HFONT f = MakeFont("Tahoma", -12);
        HGDIOBJ old = gdi32::SelectObject(c.dc, f);
        gdi32::SetBkMode(c.dc, gdi32::TRANSPARENT);
        gdi32::SetTextColor(c.dc, RGB(20, 60, 140));
        if (clip) gdi32::SelectClipRgn(c.dc, clip);
        RECT r{x, y, x + 200, y + 30};
        gdi32::DrawTextW(c.dc, caption, -1, &r, gdi32::DT_NOPREFIX);
        gdi32::SelectClipRgn(c.dc, 0);
        gdi32::SelectObject(c.dc, old);
        gdi32::DeleteObject(f);
    };
    MemoryCanvas first(160, 40, kPaper), moved(160, 40, kPaper), clipped(160, 40, kPaper);
    draw(first, 3, 4, 0);
    draw(moved, 11, 9, 0);
    POINT wedge[] = {{0, 0}, {90, 0}, {40, 40}, {0, 40}};
    HRGN rgn = gdi32::CreatePolygonRgn(wedge, 4, gdi32::ALTERNATE);
    draw(clipped, 3, 4, rgn);
    ASSERT_GT(first.Except(kPaper).size(), 40u);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 160; ++x) {
            const COLORREF ink = first.At(x, y);
            if (x + 8 < 160 && y + 5 < 40) {
                EXPECT_EQ(moved.At(x + 8, y + 5), ink) << x << "," << y;
            }
            EXPECT_EQ(clipped.At(x, y), gdi32::PtInRegion(rgn, x, y) ? ink : kPaper) << x << "," << y;
        }
    gdi32::DeleteObject(rgn);

    MemoryCanvas c(10, 10);
    SIZE normal, bold;
    for (auto [weight, size] : {std::pair{gdi32::FW_NORMAL, &normal}, std::pair{gdi32::FW_BOLD, &bold}}) {
        HFONT f = MakeFont("Tahoma", -12, weight);
        HGDIOBJ old = gdi32::SelectObject(c.dc, f);
        gdi32::GetTextExtentPoint32W(c.dc, caption, 15, size);
        gdi32::SelectObject(c.dc, old);
        gdi32::DeleteObject(f);
    }
    EXPECT_GT(bold.cx, normal.cx);
}

// A line far wider than any surface (here wider than the toolkit's largest
// image) is drawn where it is seen, the same as a short line would be there.
TEST(Text, AVeryLongLineIsDrawnWhereItIsSeen) {
    constexpr COLORREF kPaper = RGB(255, 255, 255);
    const std::u16string longLine(6000, u'a');
    const std::u16string shortLine(60, u'a');
    auto draw = [&](MemoryCanvas& c, const std::u16string& text, int x) {
        HFONT f = MakeFont("Tahoma", -12);
        HGDIOBJ old = gdi32::SelectObject(c.dc, f);
        gdi32::SetBkMode(c.dc, gdi32::TRANSPARENT);
        RECT r{x, 2, x + 100000, 30};
        gdi32::DrawTextW(c.dc, text.c_str(), static_cast<int>(text.size()), &r, gdi32::DT_SINGLELINE | gdi32::DT_NOCLIP);
        gdi32::SelectObject(c.dc, old);
        gdi32::DeleteObject(f);
    };
    MemoryCanvas whole(200, 30, kPaper), start(200, 30, kPaper), middle(200, 30, kPaper);
    draw(whole, longLine, 0);
    draw(start, shortLine, 0);
    draw(middle, longLine, -20000);
    ASSERT_GT(start.Except(kPaper).size(), 200u);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 150; ++x) EXPECT_EQ(whole.At(x, y), start.At(x, y)) << x << "," << y;
    EXPECT_GT(middle.Except(kPaper).size(), 200u);
}

}  // namespace
