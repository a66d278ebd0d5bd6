// CMemoryDC's surface: creation and growth, primitives, copies and errors.
#include <gtest/gtest.h>

#include "gfx/CMemoryDC.h"
#include "platform/gdi/gdi32.h"

namespace {

constexpr int32_t kA = 0x000000FF;  // red
constexpr int32_t kB = 0x00FF0000;  // blue
constexpr int32_t kPaper = 0x00FFFFFF;

CMemoryDC& Sized(CMemoryDC& dc, int32_t w, int32_t h, int32_t background = kPaper) {
    dc.Width(w);
    dc.Height(h);
    dc.Cls(background);
    return dc;
}

TEST(Surface, ANewSurfaceIsNotCreatedAndDoesNothing) {
    CMemoryDC dc;
    EXPECT_FALSE(dc.IsCreated());
    EXPECT_EQ(dc.Width(), 0);
    EXPECT_EQ(dc.Height(), 0);
    EXPECT_EQ(dc.hDc(), 0u);
    EXPECT_EQ(dc.TextWidth(u"新手专区"), 0);
    EXPECT_EQ(dc.GetPixel(0, 0), 0);
    EXPECT_EQ(dc.ForeColor(), 0);
    EXPECT_EQ(dc.Font(), nullptr);
    int32_t l = 1, t = 2, r = 3, b = 4;
    dc.DrawText(u"x", l, t, r, b, 0x400);
    EXPECT_EQ((std::tuple{l, t, r, b}), (std::tuple{1, 2, 3, 4}));
    dc.DrawLine(0, 0, 5, 5, kA);
    dc.FillRect(0, 0, 5, 5, kA);
    dc.Font(nullptr);  // not created: nothing is read, nothing is raised
}

TEST(Surface, GrowsOnlyAndLosesPictureFontAndTextColorOnReCreation) {
    CMemoryDC dc;
    dc.Width(100);
    EXPECT_TRUE(dc.IsCreated());  // 100 × 0 still succeeds
    dc.Height(25);
    EXPECT_EQ((std::pair{dc.Width(), dc.Height()}), (std::pair{100, 25}));
    dc.Cls(kA);
    dc.ForeColor(kB);
    auto font = std::make_shared<StdFont>();
    font->Name("Verdana");
    dc.Font(font);
    const HDC before = dc.hDc();
    dc.Width(50);
    EXPECT_EQ(dc.Width(), 100);
    EXPECT_EQ(dc.hDc(), before);
    EXPECT_EQ(dc.GetPixel(99, 24), kA);
    dc.Height(30);
    EXPECT_EQ((std::pair{dc.Width(), dc.Height()}), (std::pair{100, 30}));
    EXPECT_NE(dc.hDc(), before);
    EXPECT_EQ(dc.ForeColor(), 0);
    EXPECT_NE(dc.Font()->Name(), "Verdana");
}

TEST(Surface, FillRectToTheEdgesAndNoColorFillsNothing) {
    CMemoryDC dc;
    Sized(dc, 8, 4);
    dc.FillRect(2, 1, -1, -1, kA);
    EXPECT_EQ(dc.GetPixel(1, 1), kPaper);
    EXPECT_EQ(dc.GetPixel(2, 0), kPaper);
    EXPECT_EQ(dc.GetPixel(2, 1), kA);
    EXPECT_EQ(dc.GetPixel(7, 3), kA);
    dc.FillRect(0, 0, -1, -1, -1);
    EXPECT_EQ(dc.GetPixel(0, 0), kPaper);
    dc.FillRect(0, 0, -1, -1, kB);
    EXPECT_EQ(dc.GetPixel(0, 0), kB);
    EXPECT_EQ(dc.GetPixel(7, 3), kB);
}

TEST(Surface, FillRectOnAnotherContextUsesThisSurfacesEdges) {
    CMemoryDC small, big;
    Sized(small, 3, 2);
    Sized(big, 6, 6);
    small.FillRect(0, 0, -1, -1, kA, big.hDc());
    EXPECT_EQ(big.GetPixel(2, 1), kA);
    EXPECT_EQ(big.GetPixel(3, 1), kPaper);
    EXPECT_EQ(big.GetPixel(2, 2), kPaper);
}

TEST(Surface, DrawLineLeavesItsEndPointAndDrawsOnAGivenContextToo) {
    CMemoryDC dc, other;
    Sized(dc, 12, 3);
    Sized(other, 12, 3);
    dc.DrawLine(0, 0, 10, 0, kA, other.hDc());
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(dc.GetPixel(x, 0), kA);
        EXPECT_EQ(other.GetPixel(x, 0), kA);
    }
    EXPECT_EQ(dc.GetPixel(10, 0), kPaper);
    // System colors are translated.
    dc.DrawLine(0, 1, 2, 1, static_cast<int32_t>(0x80000010));
    EXPECT_EQ(dc.GetPixel(0, 1), dc.TranslateColor(static_cast<int32_t>(0x80000010)));
}

struct CornerCase {
    int x, y;
    int32_t expected;
};
class Draw3DRect : public ::testing::TestWithParam<CornerCase> {};
TEST_P(Draw3DRect, CornerPixels) {
    CMemoryDC dc;
    Sized(dc, 12, 7);
    dc.Draw3DRect(0, 0, 10, 5, kA, kB);
    EXPECT_EQ(dc.GetPixel(GetParam().x, GetParam().y), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Surface, Draw3DRect,
                         ::testing::Values(CornerCase{0, 0, kA}, CornerCase{8, 0, kA}, CornerCase{9, 0, kB},
                                           CornerCase{0, 4, kB}, CornerCase{9, 4, kB}, CornerCase{0, 3, kA},
                                           CornerCase{9, 3, kB}, CornerCase{1, 1, kPaper}, CornerCase{10, 0, kPaper},
                                           CornerCase{0, 5, kPaper}));

TEST(Surface, Draw3DRectOfZeroWidthDrawsOnlyTheFirstColor) {
    CMemoryDC dc;
    Sized(dc, 4, 4);
    dc.Draw3DRect(1, 0, 1, 3, kA, kB);
    EXPECT_EQ(dc.GetPixel(1, 2), kA);
    EXPECT_EQ(dc.GetPixel(1, 0), kA);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_NE(dc.GetPixel(x, y), kB);
}

TEST(Surface, PixelsAndCopies) {
    CMemoryDC src, dst;
    Sized(src, 4, 3, kA);
    Sized(dst, 10, 10);
    src.SetPixel(3, 2, kB);
    src.BitBlt(dst.hDc());  // whole surface to (0, 0)
    EXPECT_EQ(dst.GetPixel(0, 0), kA);
    EXPECT_EQ(dst.GetPixel(3, 2), kB);
    EXPECT_EQ(dst.GetPixel(4, 2), kPaper);
    EXPECT_EQ(dst.GetPixel(3, 3), kPaper);
    src.BitBlt(dst.hDc(), 5, 5, 1, 1, 3, 2);
    EXPECT_EQ(dst.GetPixel(5, 5), kB);
    EXPECT_EQ(src.GetPixel(5, 5, dst.hDc()), kB);
    EXPECT_EQ(src.GetPixel(40, 0), -1);
}

TEST(Surface, ComponentErrorsCarryNumberSourceAndDescription) {
    CMemoryDC dc;
    Sized(dc, 4, 4);
    try {
        dc.Font(nullptr);
        FAIL() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.number(), 5000);
        EXPECT_EQ(e.source(), ProgramName() + ".CMemoryDC.Font");
        EXPECT_EQ(e.description(),
                  "CMemoryDC component failure!\r\n\r\n91: Object variable or With block variable not set\r\n"
                  "On line: 0");
    }
    auto wide = std::make_shared<StdFont>();
    wide->Charset(300);
    try {
        dc.Font(wide);
        FAIL() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.number(), 5000);
        EXPECT_EQ(e.description(), "CMemoryDC component failure!\r\n\r\n6: Overflow\r\nOn line: 0");
    }
    try {
        dc.Draw3DRect(0, INT32_MIN, 2, INT32_MIN, kA, kB);
        FAIL() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.source(), ProgramName() + ".CMemoryDC.Draw3DRect");
    }
}

}  // namespace
