// Polygon region coverage and clipping.
#include <gtest/gtest.h>

#include <functional>

#include "gdi/memory_canvas.h"

using testgdi::MemoryCanvas;
using testgdi::PixelSet;

namespace {

PixelSet Covered(HRGN rgn, int w, int h) {
    PixelSet s;
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x)
            if (gdi32::PtInRegion(rgn, x, y)) s.insert({x, y});
    return s;
}

struct PolygonCase {
    const char* name;
    std::vector<POINT> points;
    PixelSet pixels;  // worked out by hand from the pixel-center rule
    RECT box;
};

class PolygonCoverage : public ::testing::TestWithParam<PolygonCase> {};

TEST_P(PolygonCoverage, MatchesHandComputedPixels) {
    const PolygonCase& c = GetParam();
    HRGN rgn = gdi32::CreatePolygonRgn(c.points.data(), static_cast<int>(c.points.size()), gdi32::ALTERNATE);
    ASSERT_NE(rgn, 0u);
    EXPECT_EQ(Covered(rgn, 8, 8), c.pixels);
    RECT box;
    gdi32::GetRgnBox(rgn, &box);
    EXPECT_EQ(box, c.box);
    gdi32::DeleteObject(rgn);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, PolygonCoverage,
    ::testing::Values(
        PolygonCase{"rectangle_right_and_bottom_out",
                    {{1, 1}, {4, 1}, {4, 3}, {1, 3}},
                    {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}},
                    {1, 1, 4, 3}},
        // The slanted edge passes exactly through centers (x + 0.5 = 4 - y - 0.5):
        // as a right edge it leaves them out...
        PolygonCase{"lower_left_triangle",
                    {{0, 0}, {4, 0}, {0, 4}},
                    {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}},
                    {0, 0, 3, 3}},
        // ...and as a left edge it takes them in.
        PolygonCase{"upper_right_triangle",
                    {{0, 0}, {4, 0}, {4, 4}},
                    {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}, {3, 1}, {2, 2}, {3, 2}, {3, 3}},
                    {0, 0, 4, 4}},
        // A tab-like slanted side.
        PolygonCase{"slanted_tab_side",
                    {{0, 3}, {2, 0}, {6, 0}, {6, 3}},
                    // Left edge from (0,3) to (2,0): x = 2 - 2(y+0.5)/3 -> 1.667, 1.0, 0.333.
                    {{2, 0}, {3, 0}, {4, 0}, {5, 0},
                     {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1},
                     {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}},
                    {0, 0, 6, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Regions, TwoTrianglesOfASquareTileItExactly) {
    POINT a[] = {{0, 0}, {5, 0}, {0, 5}};
    POINT b[] = {{5, 0}, {5, 5}, {0, 5}};
    HRGN ra = gdi32::CreatePolygonRgn(a, 3, gdi32::ALTERNATE);
    HRGN rb = gdi32::CreatePolygonRgn(b, 3, gdi32::ALTERNATE);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(gdi32::PtInRegion(ra, x, y) + gdi32::PtInRegion(rb, x, y), 1) << x << "," << y;
    gdi32::DeleteObject(ra);
    gdi32::DeleteObject(rb);
}

TEST(Regions, AlternateLeavesTheOverlapOfASelfCrossingOutlineEmptyWindingFillsIt) {
    // A square traced twice over its middle: a figure eight of two rectangles
    // sharing the band x 2..4.
    POINT pts[] = {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 0}, {6, 0}, {6, 2}, {0, 2}};
    HRGN alt = gdi32::CreatePolygonRgn(pts, 8, gdi32::ALTERNATE);
    HRGN win = gdi32::CreatePolygonRgn(pts, 8, gdi32::WINDING);
    EXPECT_TRUE(gdi32::PtInRegion(alt, 1, 1));
    EXPECT_FALSE(gdi32::PtInRegion(alt, 3, 1));
    EXPECT_TRUE(gdi32::PtInRegion(win, 3, 1));
    gdi32::DeleteObject(alt);
    gdi32::DeleteObject(win);
}

TEST(Regions, ClipRegionLimitsFillsLinesAndCopiesUntilRemoved) {
    MemoryCanvas canvas(8, 8, RGB(255, 255, 255));
    POINT tri[] = {{0, 0}, {4, 0}, {0, 4}};
    HRGN rgn = gdi32::CreatePolygonRgn(tri, 3, gdi32::ALTERNATE);
    EXPECT_EQ(gdi32::SelectClipRgn(canvas.dc, rgn), gdi32::COMPLEXREGION);
    gdi32::DeleteObject(rgn);  // the context keeps its own copy
    HBRUSH b = gdi32::CreateSolidBrush(RGB(0, 0, 255));
    RECT all{0, 0, 8, 8};
    gdi32::FillRect(canvas.dc, &all, b);
    EXPECT_EQ(canvas.Where(RGB(0, 0, 255)), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}}));
    gdi32::SelectClipRgn(canvas.dc, 0);
    gdi32::FillRect(canvas.dc, &all, b);
    EXPECT_EQ(canvas.Where(RGB(0, 0, 255)).size(), 64u);
    gdi32::DeleteObject(b);
}

TEST(Regions, AnOutlineMovedByWholePixelsCoversTheSamePixelsMoved) {
    const std::vector<POINT> tab = {{3, 20}, {18, 5}, {25, 4}, {70, 5}, {69, 20}};
    for (const POINT move : {POINT{0, 0}, POINT{37, -5}, POINT{-3, 11}, POINT{0, 0}}) {
        std::vector<POINT> moved = tab;
        for (POINT& p : moved) {
            p.x += move.x;
            p.y += move.y;
        }
        HRGN at = gdi32::CreatePolygonRgn(tab.data(), 5, gdi32::ALTERNATE);
        HRGN there = gdi32::CreatePolygonRgn(moved.data(), 5, gdi32::ALTERNATE);
        PixelSet expected;
        for (auto [x, y] : Covered(at, 80, 24)) expected.insert({x + move.x, y + move.y});
        PixelSet got;
        for (int y = move.y - 1; y <= move.y + 24; ++y)
            for (int x = move.x - 1; x <= move.x + 80; ++x)
                if (gdi32::PtInRegion(there, x, y)) got.insert({x, y});
        EXPECT_GT(expected.size(), 500u);
        EXPECT_EQ(got, expected) << move.x << "," << move.y;
        gdi32::DeleteObject(at);
        gdi32::DeleteObject(there);
    }
}

TEST(Regions, EmptyAndInvalidPolygons) {
    POINT line[] = {{0, 0}, {5, 0}, {9, 0}};
    HRGN flat = gdi32::CreatePolygonRgn(line, 3, gdi32::ALTERNATE);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(gdi32::GetRgnBox(flat, &box), gdi32::NULLREGION);
    EXPECT_EQ(box, RECT{});
    gdi32::DeleteObject(flat);
    EXPECT_EQ(gdi32::CreatePolygonRgn(line, 3, 7), 0u);
    EXPECT_EQ(gdi32::CreatePolygonRgn(nullptr, 3, gdi32::ALTERNATE), 0u);
}

// Each drawing call under a non-rectangular clip region sets exactly the
// pixels it sets without one, limited to the region: the fast paths for
// straight lines, stretched columns and one-to-one rows must keep to it.
struct ClippedDrawing {
    const char* name;
    std::function<void(HDC)> draw;
};

class UnderRegion : public ::testing::TestWithParam<ClippedDrawing> {};

TEST_P(UnderRegion, DrawsWhatItDrawsUnclippedInsideTheRegionOnly) {
    constexpr COLORREF kPaper = RGB(255, 255, 255);
    MemoryCanvas free(24, 16, kPaper), clipped(24, 16, kPaper);
    POINT shape[] = {{2, 1}, {20, 3}, {14, 15}, {3, 12}};
    HRGN rgn = gdi32::CreatePolygonRgn(shape, 4, gdi32::ALTERNATE);
    gdi32::SelectClipRgn(clipped.dc, rgn);
    GetParam().draw(free.dc);
    GetParam().draw(clipped.dc);
    gdi32::SelectClipRgn(clipped.dc, 0);  // reading a pixel outside the clip gives no colour
    int inside = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool in = gdi32::PtInRegion(rgn, x, y);
            EXPECT_EQ(clipped.At(x, y), in ? free.At(x, y) : kPaper) << x << "," << y;
            if (in && free.At(x, y) != kPaper) ++inside;
        }
    EXPECT_GT(inside, 3) << "the drawing must reach into the region";
    gdi32::DeleteObject(rgn);
}

void PenLine(HDC dc, POINT a, POINT b) {
    HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, RGB(200, 0, 0));
    HGDIOBJ old = gdi32::SelectObject(dc, pen);
    gdi32::MoveToEx(dc, a.x, a.y, nullptr);
    gdi32::LineTo(dc, b.x, b.y);
    gdi32::SelectObject(dc, old);
    gdi32::DeleteObject(pen);
}

void Dib(HDC dc, int srcWidth) {
    // Rows top to bottom: 16 shades; the second column (if any) is darker.
    std::vector<uint32_t> bits(static_cast<size_t>(srcWidth) * 16);
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < srcWidth; ++col)
            bits[static_cast<size_t>(15 - row) * srcWidth + col] = static_cast<uint32_t>((row * 15) << 8 | col * 90);
    gdi32::BITMAPINFO bmi;
    bmi.bmiHeader.biWidth = srcWidth;
    bmi.bmiHeader.biHeight = 16;
    gdi32::StretchDIBits(dc, 1, 0, srcWidth == 1 ? 22 : srcWidth, 16, 0, 0, srcWidth, 16, bits.data(), &bmi,
                         gdi32::DIB_RGB_COLORS, gdi32::SRCCOPY);
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, UnderRegion,
    ::testing::Values(ClippedDrawing{"rightward_line", [](HDC dc) { PenLine(dc, {0, 6}, {24, 6}); }},
                      ClippedDrawing{"leftward_line", [](HDC dc) { PenLine(dc, {23, 9}, {-1, 9}); }},
                      ClippedDrawing{"downward_line", [](HDC dc) { PenLine(dc, {8, -2}, {8, 18}); }},
                      ClippedDrawing{"upward_line", [](HDC dc) { PenLine(dc, {15, 15}, {15, 0}); }},
                      ClippedDrawing{"slanted_line", [](HDC dc) { PenLine(dc, {0, 0}, {23, 15}); }},
                      ClippedDrawing{"stretched_column", [](HDC dc) { Dib(dc, 1); }},
                      ClippedDrawing{"one_to_one_rows", [](HDC dc) { Dib(dc, 20); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
