// CMemoryDC's fonts and text: heights from points, read-back, and both text
// paths measuring what they draw.
#include <gtest/gtest.h>

#include "gfx/CMemoryDC.h"
#include "platform/gdi/gdi32.h"
#include "platform/gdi/kernel32.h"

namespace {

std::shared_ptr<StdFont> MakeFont(const char* name, double points, bool bold = false) {
    auto f = std::make_shared<StdFont>();
    f->Name(name);
    f->Size(points);
    f->Bold(bold);
    return f;
}

struct HeightCase {
    double points;
    int pixels;  // character height asked for: points × 96 / 72, rounded half to even, truncated
};
class FontHeight : public ::testing::TestWithParam<HeightCase> {};
TEST_P(FontHeight, PointsBecomeANegativePixelHeightAt96Dpi) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    dc.Font(MakeFont("Tahoma", GetParam().points));
    gdi32::TEXTMETRICA tm;
    ASSERT_TRUE(gdi32::GetTextMetricsA(dc.hDc(), &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, GetParam().pixels);
    // And the description read back gives the size that height stands for.
    EXPECT_DOUBLE_EQ(dc.Font()->Size(), GetParam().pixels * 72.0 / 96.0);
}
INSTANTIATE_TEST_SUITE_P(Fonts, FontHeight,
                         ::testing::Values(HeightCase{9, 12}, HeightCase{10.5, 14}, HeightCase{8.25, 11},
                                           HeightCase{7, 9}, HeightCase{8, 10}));

TEST(Fonts, DescriptionReadBackCarriesNameWeightAndFlags) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    auto f = MakeFont("宋体", 9, true);
    f->Italic(true);
    f->Underline(true);
    f->Charset(134);
    dc.Font(f);
    auto back = dc.Font();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Name(), "宋体");
    EXPECT_EQ(back->Weight(), 700);
    EXPECT_TRUE(back->Bold());
    EXPECT_TRUE(back->Italic());
    EXPECT_TRUE(back->Underline());
    EXPECT_FALSE(back->Strikethrough());
    EXPECT_EQ(back->Charset(), 134);
    // Bold and Weight are one setting.
    back->Bold(false);
    EXPECT_EQ(back->Weight(), 400);
}

TEST(Fonts, ALongFaceNameIsCutTo31BytesOnACharacterBoundary) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    // Eleven three-byte characters: 33 bytes; 31 would split the eleventh.
    dc.Font(MakeFont("一二三四五六七八九十百", 9));
    EXPECT_EQ(dc.Font()->Name(), "一二三四五六七八九十");
}

class TextPaths : public ::testing::TestWithParam<DWORD> {
protected:
    void SetUp() override { kernel32::OverridePlatformIdForTesting(GetParam()); }
    void TearDown() override { kernel32::OverridePlatformIdForTesting(0); }
};

TEST_P(TextPaths, ChineseCaptionMeasuredEqualsTheRectangleDrawTextUses) {
    CMemoryDC dc;
    dc.Width(200);
    dc.Height(25);
    dc.Cls(0x00FFFFFF);
    dc.Font(MakeFont("Tahoma", 8.25));
    const std::u16string caption = u"新手专区 Home";
    const int32_t w = dc.TextWidth(caption), h = dc.TextHeight(caption);
    EXPECT_GT(w, 50);
    EXPECT_GT(h, 10);
    int32_t l = 5, t = 3, r = 5, b = 3;
    dc.DrawText(caption, l, t, r, b, 0x400);
    EXPECT_EQ((std::tuple{l, t, r, b}), (std::tuple{5, 3, 5 + w, 3 + h}));
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_EQ(dc.GetPixel(x, y), 0x00FFFFFF) << "DT_CALCRECT drew";
    // Drawn centered, the ink stays within the measured width around the center.
    dc.ForeColor(0);
    l = 0, t = 0, r = 200, b = 25;
    dc.DrawText(caption, l, t, r, b, 1);
    int inkLeft = 200, inkRight = -1;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 200; ++x)
            if (dc.GetPixel(x, y) != 0x00FFFFFF) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x + 1);
            }
    EXPECT_GE(inkLeft, (200 - w) / 2);
    EXPECT_LE(inkRight, (200 - w) / 2 + w);
}

TEST_P(TextPaths, BothPathsAgree) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    dc.Font(MakeFont("Tahoma", 9, true));
    kernel32::OverridePlatformIdForTesting(kernel32::VER_PLATFORM_WIN32_NT);
    const int32_t wide = dc.TextWidth(u"我的日志 abc");
    kernel32::OverridePlatformIdForTesting(kernel32::VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(dc.TextWidth(u"我的日志 abc"), wide);
    EXPECT_EQ(dc.TextWidth(std::string("我的日志 abc")), wide);
    EXPECT_EQ(dc.TextWidth(u""), 0);
}

INSTANTIATE_TEST_SUITE_P(Text, TextPaths,
                         ::testing::Values(kernel32::VER_PLATFORM_WIN32_NT, kernel32::VER_PLATFORM_WIN32_WINDOWS));

TEST(Text, TheCloseGlyphInTheSymbolFontIsDrawn) {
    CMemoryDC dc;
    dc.Width(20);
    dc.Height(20);
    dc.Cls(0x00FFFFFF);
    dc.Font(MakeFont("Marlett", 7));
    dc.ForeColor(0);
    int32_t l = 3, t = 3, r = 20, b = 20;
    dc.DrawText(u"r", l, t, r, b, 0);
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ink += dc.GetPixel(x, y) == 0;
    EXPECT_GT(ink, 10);
    EXPECT_EQ(dc.TextWidth(u"r"), 9);
}

}  // namespace
