// Object bookkeeping: selection, deletion rules, live counts, window contexts.
#include <gtest/gtest.h>

#include "gdi/memory_canvas.h"
#include "platform/backend.h"
#include "platform/user32.h"

using testgdi::MemoryCanvas;

namespace {

TEST(Objects, SelectReturnsThePreviousObjectOfThatKind) {
    HDC dc = gdi32::CreateCompatibleDC(0);
    HPEN p1 = gdi32::CreatePen(gdi32::PS_SOLID, 1, 0), p2 = gdi32::CreatePen(gdi32::PS_SOLID, 1, 0);
    const HGDIOBJ stockPen = gdi32::SelectObject(dc, p1);
    EXPECT_EQ(stockPen, gdi32::GetStockObject(gdi32::BLACK_PEN));
    EXPECT_EQ(gdi32::SelectObject(dc, p2), p1);
    HBITMAP bm = gdi32::CreateBitmap(4, 4, 1, 32, nullptr);
    const HGDIOBJ stockBitmap = gdi32::SelectObject(dc, bm);
    int w = 0, h = 0, bpp = 0;
    ASSERT_TRUE(gdi32::GetBitmapInfo(stockBitmap, &w, &h, &bpp));
    EXPECT_EQ((std::tuple{w, h, bpp}), (std::tuple{1, 1, 1}));
    EXPECT_EQ(gdi32::SelectObject(dc, stockBitmap), bm);
    gdi32::SelectObject(dc, stockPen);
    for (HGDIOBJ o : {p1, p2, bm}) EXPECT_TRUE(gdi32::DeleteObject(o));
    EXPECT_TRUE(gdi32::DeleteDC(dc));
}

TEST(Objects, SelectedObjectsAreNotDeletedAndABitmapLivesInOneContext) {
    HDC a = gdi32::CreateCompatibleDC(0), b = gdi32::CreateCompatibleDC(0);
    HBITMAP bm = gdi32::CreateBitmap(2, 2, 1, 32, nullptr);
    HBRUSH br = gdi32::CreateSolidBrush(0);
    HGDIOBJ oldBm = gdi32::SelectObject(a, bm);
    HGDIOBJ oldBr = gdi32::SelectObject(a, br);
    EXPECT_EQ(gdi32::SelectObject(b, bm), 0u);
    EXPECT_FALSE(gdi32::DeleteObject(bm));
    EXPECT_FALSE(gdi32::DeleteObject(br));
    gdi32::SelectObject(a, oldBm);
    gdi32::SelectObject(a, oldBr);
    EXPECT_TRUE(gdi32::DeleteObject(bm));
    EXPECT_TRUE(gdi32::DeleteObject(br));
    EXPECT_TRUE(gdi32::DeleteObject(gdi32::GetStockObject(gdi32::WHITE_BRUSH)));
    EXPECT_NE(gdi32::GetStockObject(gdi32::WHITE_BRUSH), 0u);
    gdi32::DeleteDC(a);
    gdi32::DeleteDC(b);
}

TEST(Objects, DeletingAContextReleasesItsSelectionsSoTheyCanBeDeleted) {
    HDC dc = gdi32::CreateCompatibleDC(0);
    HBITMAP bm = gdi32::CreateBitmap(2, 2, 1, 32, nullptr);
    const gdi32::LOGFONTA lf;
    HFONT f = gdi32::CreateFontIndirectA(&lf);
    gdi32::SelectObject(dc, bm);
    gdi32::SelectObject(dc, f);
    gdi32::DeleteDC(dc);
    EXPECT_TRUE(gdi32::DeleteObject(bm));
    EXPECT_TRUE(gdi32::DeleteObject(f));
}

TEST(Objects, CompatibleBitmapsFollowTheContextAndZeroSizeGivesOneMonochromePixel) {
    HDC display = gdi32::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, 0u);
    EXPECT_EQ(gdi32::CreateDCA("PRINTER", nullptr, nullptr, nullptr), 0u);
    EXPECT_EQ(gdi32::GetDeviceCaps(display, gdi32::LOGPIXELSY), 96);
    HDC mem = gdi32::CreateCompatibleDC(display);
    HBITMAP color = gdi32::CreateCompatibleBitmap(display, 3, 2);
    HBITMAP fromMono = gdi32::CreateCompatibleBitmap(mem, 3, 2);  // mem still holds its 1-bit stock bitmap
    HBITMAP empty = gdi32::CreateCompatibleBitmap(display, 0, 25);
    int w, h, bpp;
    gdi32::GetBitmapInfo(color, &w, &h, &bpp);
    EXPECT_EQ((std::tuple{w, h, bpp}), (std::tuple{3, 2, 32}));
    gdi32::GetBitmapInfo(fromMono, &w, &h, &bpp);
    EXPECT_EQ(bpp, 1);
    gdi32::GetBitmapInfo(empty, &w, &h, &bpp);
    EXPECT_EQ((std::tuple{w, h, bpp}), (std::tuple{1, 1, 1}));
    for (HGDIOBJ o : {color, fromMono, empty}) gdi32::DeleteObject(o);
    gdi32::DeleteDC(mem);
    gdi32::DeleteDC(display);
}

TEST(Objects, ThousandsOfDrawingStepsLeaveTheLiveCountsWhereTheyStarted) {
    const size_t before = gdi32::LiveObjectCount();
    {
        MemoryCanvas c(64, 32);
        for (int i = 0; i < 3000; ++i) {
            HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, RGB(i, 0, 0));
            HGDIOBJ old = gdi32::SelectObject(c.dc, pen);
            gdi32::MoveToEx(c.dc, 0, i % 32, nullptr);
            gdi32::LineTo(c.dc, 63, 31 - i % 32);
            gdi32::SelectObject(c.dc, old);
            gdi32::DeleteObject(pen);
            POINT tri[] = {{0, 0}, {i % 60 + 3, 0}, {0, 20}};
            HRGN rgn = gdi32::CreatePolygonRgn(tri, 3, gdi32::ALTERNATE);
            gdi32::SelectClipRgn(c.dc, rgn);
            gdi32::SelectClipRgn(c.dc, 0);
            gdi32::DeleteObject(rgn);
        }
        EXPECT_GT(gdi32::LiveObjectCount(), before);
    }
    EXPECT_EQ(gdi32::LiveObjectCount(), before);
}

class WindowContexts : public ::testing::Test {
protected:
    void SetUp() override {
        user32::SetBackend(&backend);
        hwnd = user32::CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", "", WS_VISIBLE, 0, 0, 40, 30, 0);
        ASSERT_NE(hwnd, 0u);
    }
    void TearDown() override {
        user32::DestroyWindow(hwnd);
        user32::SetBackend(nullptr);
    }
    user32::HeadlessBackend backend;
    HWND hwnd = 0;
};

TEST_F(WindowContexts, WindowContextDrawsAtTheWindowOriginClientContextInsideTheClientArea) {
    const RECT client = user32::GetClientRectInWindow(hwnd);
    HDC wdc = gdi32::GetWindowDC(hwnd);
    ASSERT_NE(wdc, 0u);
    gdi32::SetPixel(wdc, 0, 0, RGB(1, 2, 3));
    HDC cdc = gdi32::GetDC(hwnd);
    HBRUSH b = gdi32::CreateSolidBrush(RGB(9, 8, 7));
    RECT huge{-100, -100, 1000, 1000};
    gdi32::FillRect(cdc, &huge, b);
    gdi32::DeleteObject(b);
    EXPECT_EQ(gdi32::GetPixel(cdc, 0, 0), RGB(9, 8, 7));
    const size_t before = backend.Count("surface");
    EXPECT_EQ(gdi32::ReleaseDC(hwnd, cdc), 1);
    EXPECT_EQ(backend.Count("surface"), before + 1);
    auto surface = user32::GetWindowSurface(hwnd);
    auto at = [&](int x, int y) { return surface->Row(y)[x]; };
    EXPECT_EQ(at(client.left, client.top), 0x00090807u);
    EXPECT_EQ(at(client.right - 1, client.bottom - 1), 0x00090807u);
    if (client.left > 0) {
        EXPECT_EQ(at(0, 0), 0x00010203u) << "outside the client area stays";
    }
    EXPECT_EQ(gdi32::ReleaseDC(hwnd, wdc), 1);
    EXPECT_EQ(gdi32::GetWindowDC(0xFFFFFF), 0u);
}

}  // namespace
