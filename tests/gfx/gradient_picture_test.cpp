// CMemoryDC's gradients and pictures.
#include <gtest/gtest.h>

#include "gfx/CMemoryDC.h"
#include "platform/gdi/gdi32.h"

namespace {

constexpr int32_t kPaper = 0x00FFFFFF;

CMemoryDC& Sized(CMemoryDC& dc, int32_t w, int32_t h) {
    dc.Width(w);
    dc.Height(h);
    dc.Cls(kPaper);
    return dc;
}

int Red(int32_t c) { return c & 0xFF; }

TEST(Gradient, VerticalRampFromColor2AtTheTopToColor1AtTheBottom) {
    CMemoryDC dc;
    Sized(dc, 3, 12);
    const int32_t c1 = RGB(10, 200, 30), c2 = RGB(250, 0, 90);
    dc.DrawGradient(1, 1, 1, 10, c1, c2, 1);
    EXPECT_EQ(dc.GetPixel(1, 1), c2);
    EXPECT_EQ(dc.GetPixel(1, 10), c1);
    // Row 5 from the top: c2 + (c1 - c2) × 5 / 9, truncated toward zero.
    EXPECT_EQ(dc.GetPixel(1, 6), RGB(250 + (-240 * 5) / 9, 0 + (200 * 5) / 9, 90 + (-60 * 5) / 9));
    EXPECT_EQ(dc.GetPixel(0, 5), kPaper);
    EXPECT_EQ(dc.GetPixel(1, 0), kPaper);
    EXPECT_EQ(dc.GetPixel(1, 11), kPaper);
}

TEST(Gradient, HorizontalRampAndAFallingChannelLeanTowardColor2) {
    CMemoryDC dc;
    Sized(dc, 10, 2);
    dc.DrawGradient(0, 0, 4, 1, RGB(100, 0, 0), RGB(200, 0, 0), 0);
    const int expected[] = {200, 167, 134, 100};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Red(dc.GetPixel(x, 0)), expected[x]) << x;
    dc.DrawGradient(0, 1, 10, 1, RGB(0, 0, 9), RGB(0, 0, 0), 0);
    EXPECT_EQ(dc.GetPixel(0, 1), 0);
    EXPECT_EQ(dc.GetPixel(9, 1), RGB(0, 0, 9));
}

TEST(Gradient, DiagonalsStartAtTheirCorners) {
    CMemoryDC dc;
    Sized(dc, 3, 3);
    // Ramp of 5 entries 0, 10, 20, 30, 40 in red.
    dc.DrawGradient(0, 0, 3, 3, RGB(40, 0, 0), RGB(0, 0, 0), 2);
    EXPECT_EQ(Red(dc.GetPixel(0, 0)), 0);
    EXPECT_EQ(Red(dc.GetPixel(2, 0)), 20);
    EXPECT_EQ(Red(dc.GetPixel(2, 2)), 40);
    dc.DrawGradient(0, 0, 3, 3, RGB(40, 0, 0), RGB(0, 0, 0), 3);
    EXPECT_EQ(Red(dc.GetPixel(0, 2)), 0);
    EXPECT_EQ(Red(dc.GetPixel(2, 0)), 40);
    EXPECT_EQ(Red(dc.GetPixel(0, 0)), 20);
}

TEST(Gradient, EdgeCases) {
    CMemoryDC dc;
    Sized(dc, 4, 4);
    dc.DrawGradient(0, 0, 0, 4, 0, 0, 1);
    dc.DrawGradient(0, 0, 4, 0, 0, 0, 1);
    EXPECT_EQ(dc.GetPixel(0, 0), kPaper);
    // 1 × 1: halves truncated separately.
    dc.DrawGradient(0, 0, 1, 1, 0x00FF00FF, 0x00010101, 1);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(127, 0, 127));
    // Unknown direction: black.
    dc.DrawGradient(1, 1, 2, 2, 0x00FFFFFF, 0x00FFFFFF, 5);
    EXPECT_EQ(dc.GetPixel(1, 1), 0);
    EXPECT_EQ(dc.GetPixel(2, 2), 0);
    EXPECT_EQ(dc.GetPixel(3, 3), kPaper);
    // Untranslated system reference at the ends of a ramp: red 15.
    dc.DrawGradient(3, 0, 1, 2, static_cast<int32_t>(0x8000000F), 0, 1);
    EXPECT_EQ(dc.GetPixel(3, 0), 0);
    EXPECT_EQ(dc.GetPixel(3, 1), RGB(15, 0, 0));
    // A gradient far larger than the surface paints what shows and nothing else.
    dc.DrawGradient(-100000, 0, 200000, 4, RGB(0, 0, 0), RGB(0, 0, 0), 0);
    EXPECT_EQ(dc.GetPixel(3, 3), 0);
    EXPECT_THROW(dc.DrawGradient(0, 0, 70000, 70000, 0, 0, 1), ComponentError);  // 32-bit pixel count overflows
}

HBITMAP Checker(uint32_t mask, uint32_t ink) {
    // 2 × 2 top-down 0x00RRGGBB: mask color on the diagonal.
    const uint32_t px[] = {mask, ink, ink, mask};
    return gdi32::CreateBitmapFromPixels(2, 2, px);
}

TEST(Pictures, BitmapWithMaskColorLeavesTheSurfaceVisibleThere) {
    CMemoryDC dc;
    Sized(dc, 4, 4);
    dc.Cls(RGB(1, 2, 3));
    HBITMAP bm = Checker(0x00FF00FF, 0x00000080);  // magenta mask, navy ink
    oleaut::PICTDESC d{16, oleaut::PICTYPE_BITMAP, bm};
    auto pic = oleaut::OleCreatePictureIndirect(&d, true);
    const size_t live = gdi32::LiveObjectCount();
    dc.DrawPicture(pic, 1, 1, 2, 2, false, -1, RGB(255, 0, 255));
    EXPECT_EQ(gdi32::LiveObjectCount(), live) << "pTransBlt cleans up after itself";
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(0, 0, 128));
    EXPECT_EQ(dc.GetPixel(1, 2), RGB(0, 0, 128));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 2, 3));
    // Without a mask color the whole bitmap is copied.
    dc.DrawPicture(pic, 1, 1, 2, 2);
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 0, 255));
    pic.reset();
    EXPECT_FALSE(gdi32::GetBitmapInfo(bm, nullptr, nullptr, nullptr)) << "the owning picture deleted it";
}

TEST(Pictures, IconToPictureOwnsTheIconAndShadowDrawsTheSilhouette) {
    CMemoryDC dc;
    Sized(dc, 20, 20);
    EXPECT_EQ(dc.IconToPicture(0), nullptr);
    std::vector<uint32_t> px(16 * 16, 0);
    px[0] = 0xFF00FF00;
    px[17] = 0xFF00FF00;
    HICON icon = gdi32::CreateIconFromPixels(16, 16, px.data());
    auto pic = dc.IconToPicture(icon);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Type(), oleaut::PICTYPE_ICON);
    dc.DrawPicture(pic, 2, 2);
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(4, 2), kPaper);
    dc.DrawPicture(pic, 2, 2, 16, 16, true);
    EXPECT_EQ(dc.GetPixel(2, 2), dc.TranslateColor(static_cast<int32_t>(0x80000010)));
    dc.DrawPicture(pic, 2, 2, 16, 16, true, RGB(9, 9, 9));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(9, 9, 9));
    dc.DrawPicture(nullptr, 0, 0);  // no picture: nothing
    pic.reset();
    EXPECT_FALSE(gdi32::GetIconPixels(icon, nullptr, nullptr, nullptr));
}

TEST(Leaks, ThousandsOfPaintStepsLeaveTheLiveCountsWhereTheyStarted) {
    const size_t before = gdi32::LiveObjectCount();
    {
        CMemoryDC strip, tabs;
        auto font = std::make_shared<StdFont>();
        std::vector<uint32_t> px(16 * 16, 0xFF336699);
        auto pic = strip.IconToPicture(gdi32::CreateIconFromPixels(16, 16, px.data()));
        for (int i = 0; i < 2000; ++i) {
            strip.Width(200 + i % 7);
            strip.Height(25);
            tabs.Width(400);
            tabs.Height(25);
            strip.Cls(static_cast<int32_t>(0x8000000F));
            tabs.FillRect(0, 0, -1, -1, 0x00FFFFFF);
            tabs.DrawLine(0, 24, 400, 24, static_cast<int32_t>(0x80000010));
            tabs.Draw3DRect(1, 1, 20, 20, 0x00FFFFFF, 0);
            font->Bold(i % 2 == 0);
            tabs.Font(font);
            tabs.ForeColor(0);
            int32_t l = 10, t = 4, r = 90, b = 20;
            tabs.DrawText(u"新手专区", l, t, r, b, 1);
            tabs.TextWidth(u"教学资料");
            tabs.DrawGradient(0, 0, 50, 25, 0x00FFFFFF, 0x00F0F0F0, 1);
            tabs.DrawPicture(pic, 5, 3);
            POINT poly[] = {{0, 24}, {15, 3}, {20, 1}, {60, 2}, {59, 24}};
            HRGN rgn = gdi32::CreatePolygonRgn(poly, 5, gdi32::ALTERNATE);
            gdi32::SelectClipRgn(tabs.hDc(), rgn);
            tabs.FillRect(0, 0, 60, 25, 0x00FFFFFF);
            gdi32::SelectClipRgn(tabs.hDc(), 0);
            gdi32::DeleteObject(rgn);
            tabs.BitBlt(strip.hDc(), 0, 0, 200, 25, i % 50, 0);
        }
    }
    EXPECT_EQ(gdi32::LiveObjectCount(), before);
}

}  // namespace
