// Pixel rules of lines, fills, single pixels and focus rectangles.
#include <gtest/gtest.h>

#include "gdi/memory_canvas.h"
#include "platform/user32.h"

using testgdi::MemoryCanvas;
using testgdi::PixelSet;

namespace {

constexpr COLORREF kInk = RGB(10, 20, 30);
constexpr COLORREF kPaper = RGB(255, 255, 255);

struct LineCase {
    const char* name;
    POINT from, to;
    PixelSet pixels;
};

class LineRule : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineRule, CoversExactlyThePixelsOfTheRule) {
    const LineCase& c = GetParam();
    MemoryCanvas canvas(12, 12, kPaper);
    HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, kInk);
    HGDIOBJ old = gdi32::SelectObject(canvas.dc, pen);
    gdi32::MoveToEx(canvas.dc, c.from.x, c.from.y, nullptr);
    gdi32::LineTo(canvas.dc, c.to.x, c.to.y);
    gdi32::SelectObject(canvas.dc, old);
    gdi32::DeleteObject(pen);
    EXPECT_EQ(canvas.Where(kInk), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineRule,
    ::testing::Values(
        LineCase{"horizontal_end_excluded", {0, 0}, {10, 0},
                 {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}},
        LineCase{"leftward", {4, 3}, {1, 3}, {{4, 3}, {3, 3}, {2, 3}}},
        LineCase{"vertical_up", {2, 5}, {2, 1}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},
        LineCase{"diagonal_down_right", {1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        LineCase{"diagonal_up_right", {0, 4}, {4, 0}, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
        // Slope 1/2: halves round back toward the start.
        LineCase{"shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"shallow_reversed", {4, 2}, {0, 0}, {{4, 2}, {3, 2}, {2, 1}, {1, 1}}},
        LineCase{"steep", {3, 0}, {2, 3}, {{3, 0}, {3, 1}, {2, 2}}},
        LineCase{"single_point_draws_nothing", {3, 3}, {3, 3}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lines, ChainedLinesMeetWithoutGapOrOverlapAtTheCorner) {
    MemoryCanvas canvas(8, 8, kPaper);
    HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, kInk);
    HGDIOBJ old = gdi32::SelectObject(canvas.dc, pen);
    gdi32::MoveToEx(canvas.dc, 0, 0, nullptr);
    gdi32::LineTo(canvas.dc, 3, 0);
    gdi32::LineTo(canvas.dc, 3, 3);
    POINT pos;
    gdi32::MoveToEx(canvas.dc, 0, 0, &pos);
    EXPECT_EQ(pos, (POINT{3, 3}));
    gdi32::SelectObject(canvas.dc, old);
    gdi32::DeleteObject(pen);
    EXPECT_EQ(canvas.Where(kInk), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}}));
}

TEST(Lines, NullPenMovesWithoutDrawing) {
    MemoryCanvas canvas(4, 4, kPaper);
    HGDIOBJ old = gdi32::SelectObject(canvas.dc, gdi32::GetStockObject(gdi32::NULL_PEN));
    gdi32::MoveToEx(canvas.dc, 0, 0, nullptr);
    gdi32::LineTo(canvas.dc, 3, 0);
    gdi32::SelectObject(canvas.dc, old);
    EXPECT_TRUE(canvas.Except(kPaper).empty());
}

TEST(Fills, RightColumnAndBottomRowExcludedAndClippedToTheBitmap) {
    MemoryCanvas canvas(6, 6, kPaper);
    HBRUSH b = gdi32::CreateSolidBrush(kInk);
    RECT r{4, 4, 9, 9};
    EXPECT_EQ(gdi32::FillRect(canvas.dc, &r, b), 1);
    RECT inner{1, 1, 3, 2};
    gdi32::FillRect(canvas.dc, &inner, b);
    RECT empty{3, 3, 3, 5};
    gdi32::FillRect(canvas.dc, &empty, b);
    gdi32::DeleteObject(b);
    EXPECT_EQ(canvas.Where(kInk), (PixelSet{{1, 1}, {2, 1}, {4, 4}, {5, 4}, {4, 5}, {5, 5}}));
}

TEST(Fills, SystemColorNumberPlusOneStandsForABrush) {
    MemoryCanvas canvas(2, 1, kPaper);
    RECT r{0, 0, 1, 1};
    gdi32::FillRect(canvas.dc, &r, static_cast<HBRUSH>(COLOR_BTNSHADOW + 1));
    EXPECT_EQ(canvas.At(0, 0), user32::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(1, 0), kPaper);
}

TEST(Pixels, SetAndGetInsideAndOutside) {
    MemoryCanvas canvas(3, 3, kPaper);
    EXPECT_EQ(gdi32::SetPixel(canvas.dc, 2, 1, kInk), kInk);
    EXPECT_EQ(canvas.At(2, 1), kInk);
    EXPECT_EQ(gdi32::SetPixel(canvas.dc, 3, 1, kInk), gdi32::CLR_INVALID);
    EXPECT_EQ(gdi32::GetPixel(canvas.dc, -1, 0), gdi32::CLR_INVALID);
    EXPECT_EQ(gdi32::GetPixel(0xDEAD, 0, 0), gdi32::CLR_INVALID);
}

TEST(Pixels, MonochromeBitmapTakesTheNearerOfBlackAndWhite) {
    MemoryCanvas canvas(2, 1, kPaper, /*mono=*/true);
    gdi32::SetPixel(canvas.dc, 0, 0, RGB(200, 200, 200));
    gdi32::SetPixel(canvas.dc, 1, 0, RGB(100, 100, 100));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 0));
}

TEST(FocusRect, InvertsAlternateBorderPixelsAndTwiceRestores) {
    MemoryCanvas canvas(6, 5, kPaper);
    RECT r{0, 0, 6, 5};
    gdi32::DrawFocusRect(canvas.dc, &r);
    const PixelSet inverted = canvas.Where(RGB(0, 0, 0));
    for (auto [x, y] : inverted) {
        EXPECT_EQ((x + y) % 2, 0);
        EXPECT_TRUE(x == 0 || y == 0 || x == 5 || y == 4) << x << "," << y;
    }
    // Border pixels with even x + y: top 3, bottom 3, left 1 (0,2), right 2 (5,1),(5,3).
    EXPECT_EQ(inverted.size(), 9u);
    gdi32::DrawFocusRect(canvas.dc, &r);
    EXPECT_TRUE(canvas.Except(kPaper).empty());
}

}  // namespace
