// A memory context with a bitmap selected, for pixel tests of the drawing layer.
#pragma once

#include <set>
#include <utility>

#include "platform/gdi/gdi32.h"

namespace testgdi {

using PixelSet = std::set<std::pair<int, int>>;

class MemoryCanvas {
public:
    MemoryCanvas(int w, int h, COLORREF background = RGB(255, 255, 255), bool mono = false) : w_(w), h_(h) {
        dc = gdi32::CreateCompatibleDC(0);
        bitmap = mono ? gdi32::CreateBitmap(w, h, 1, 1, nullptr) : gdi32::CreateCompatibleBitmap(display_, w, h);
        old_ = gdi32::SelectObject(dc, bitmap);
        HBRUSH b = gdi32::CreateSolidBrush(background);
        RECT all{0, 0, w, h};
        gdi32::FillRect(dc, &all, b);
        gdi32::DeleteObject(b);
    }
    ~MemoryCanvas() {
        gdi32::SelectObject(dc, old_);
        gdi32::DeleteObject(bitmap);
        gdi32::DeleteDC(dc);
        gdi32::DeleteDC(display_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    COLORREF At(int x, int y) const { return gdi32::GetPixel(dc, x, y); }
    // Every pixel of the given color.
    PixelSet Where(COLORREF color) const {
        PixelSet s;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) == color) s.insert({x, y});
        return s;
    }
    // Every pixel that is not the given color.
    PixelSet Except(COLORREF color) const {
        PixelSet s;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                if (At(x, y) != color) s.insert({x, y});
        return s;
    }

    HDC dc = 0;
    HBITMAP bitmap = 0;

private:
    HDC display_ = gdi32::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int w_, h_;
    HGDIOBJ old_ = 0;
};

}  // namespace testgdi
