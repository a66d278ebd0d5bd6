// Copies: raster operations, color/monochrome conversions and DIB rows.
#include <gtest/gtest.h>

#include "gdi/memory_canvas.h"

using testgdi::MemoryCanvas;

namespace {

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF src, dst, expected;
};

class RasterOps : public ::testing::TestWithParam<RopCase> {};

TEST_P(RasterOps, CombineSourceAndDestination) {
    const RopCase& c = GetParam();
    MemoryCanvas src(2, 2, c.src), dst(4, 4, c.dst);
    ASSERT_TRUE(gdi32::BitBlt(dst.dc, 1, 1, 2, 2, src.dc, 0, 0, c.rop));
    EXPECT_EQ(dst.At(1, 1), c.expected);
    EXPECT_EQ(dst.At(2, 2), c.expected);
    EXPECT_EQ(dst.At(0, 0), c.dst);
    EXPECT_EQ(dst.At(3, 3), c.dst);
}

INSTANTIATE_TEST_SUITE_P(
    Blit, RasterOps,
    ::testing::Values(RopCase{"copy", gdi32::SRCCOPY, 0x123456, 0xABCDEF, 0x123456},
                      RopCase{"and", gdi32::SRCAND, 0x0F0FF0, 0xFF00FF, 0x0F00F0},
                      RopCase{"paint", gdi32::SRCPAINT, 0x0F0000, 0x0000F0, 0x0F00F0},
                      RopCase{"dest_and_not_source", 0x00220326, 0x00FF00, 0xFFFFFF, 0xFF00FF},
                      RopCase{"invert_source", gdi32::SRCINVERT, 0xFFFFFF, 0x00FF00, 0xFF00FF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Blit, ColorToMonochromeMarksTheSourceBackgroundColorWhite) {
    MemoryCanvas src(3, 1, RGB(1, 2, 3));
    gdi32::SetPixel(src.dc, 1, 0, RGB(9, 9, 9));
    gdi32::SetBkColor(src.dc, RGB(1, 2, 3));
    MemoryCanvas mask(3, 1, RGB(0, 0, 0), /*mono=*/true);
    gdi32::BitBlt(mask.dc, 0, 0, 3, 1, src.dc, 0, 0, gdi32::SRCCOPY);
    EXPECT_EQ(mask.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mask.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(mask.At(2, 0), RGB(255, 255, 255));
}

TEST(Blit, MonochromeToColorUsesTheDestinationTextAndBackgroundColors) {
    MemoryCanvas mask(2, 1, RGB(0, 0, 0), /*mono=*/true);
    gdi32::SetPixel(mask.dc, 1, 0, RGB(255, 255, 255));
    MemoryCanvas dst(2, 1, RGB(7, 7, 7));
    gdi32::SetTextColor(dst.dc, RGB(200, 0, 0));
    gdi32::SetBkColor(dst.dc, RGB(0, 0, 200));
    gdi32::BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, gdi32::SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(dst.At(1, 0), RGB(0, 0, 200));
}

TEST(Blit, OverlappingCopyWithinOneBitmapReadsTheOriginalPixels) {
    MemoryCanvas c(5, 1, RGB(0, 0, 0));
    for (int x = 0; x < 5; ++x) gdi32::SetPixel(c.dc, x, 0, RGB(x, 0, 0));
    gdi32::BitBlt(c.dc, 1, 0, 4, 1, c.dc, 0, 0, gdi32::SRCCOPY);
    for (int x = 1; x < 5; ++x) EXPECT_EQ(c.At(x, 0), RGB(x - 1, 0, 0));
}

TEST(Blit, SourceOutsideItsBitmapCopiesNothingThere) {
    MemoryCanvas src(2, 2, RGB(1, 1, 1)), dst(4, 4, RGB(9, 9, 9));
    gdi32::BitBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, gdi32::SRCCOPY);
    EXPECT_EQ(dst.At(1, 1), RGB(1, 1, 1));
    EXPECT_EQ(dst.At(2, 2), RGB(9, 9, 9));
}

TEST(StretchDIBits, BottomUpRowsLandUpsideDownOneToOne) {
    MemoryCanvas dst(4, 4, RGB(9, 9, 9));
    // Memory row 0 is the bottom row of the picture; 0x00RRGGBB in memory order B, G, R, 0.
    const uint32_t bits[] = {0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF};
    gdi32::BITMAPINFO bmi;
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    EXPECT_EQ(gdi32::StretchDIBits(dst.dc, 1, 1, 2, 2, 0, 0, 2, 2, bits, &bmi, gdi32::DIB_RGB_COLORS, gdi32::SRCCOPY), 2);
    EXPECT_EQ(dst.At(1, 1), RGB(0, 0, 255));  // top row: the last memory row
    EXPECT_EQ(dst.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(dst.At(0, 0), RGB(9, 9, 9));
    bmi.bmiHeader.biBitCount = 24;
    EXPECT_EQ(gdi32::StretchDIBits(dst.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits, &bmi, gdi32::DIB_RGB_COLORS, gdi32::SRCCOPY), 0);
}

}  // namespace
