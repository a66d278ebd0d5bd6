// The pixel core under the drawing layer: one canvas over a 32-bit pixel
// buffer and the exact pixel rules of fills, lines, points, copies and
// polygon coverage. Handles and contexts live elsewhere (objects.cpp); this
// file only knows pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/wintypes.h"

namespace gdi32::raster {

// Pixels are 0x00RRGGBB (cairo's RGB24). Monochrome buffers hold only black
// (0) and white (0x00FFFFFF).
constexpr uint32_t kWhite = 0x00FFFFFF;

inline uint32_t PixelFromColorref(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ColorrefFromPixel(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
// A color drawn on a monochrome buffer becomes the nearer of black and white.
inline uint32_t MonoPixel(uint32_t p) {
    int sum = static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) +
              static_cast<int>(p & 0xFF);
    return sum >= 384 ? kWhite : 0;
}

// A set of pixels in device coordinates: a box and one byte per box pixel.
struct Mask {
    RECT box;  // empty box = empty set
    std::vector<uint8_t> bits;

    bool Contains(int x, int y) const {
        if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return false;
        return bits[static_cast<size_t>(y - box.top) * static_cast<size_t>(box.Width()) +
                    static_cast<size_t>(x - box.left)] != 0;
    }
    bool Empty() const { return box.left >= box.right || box.top >= box.bottom; }
    // Shrinks the box to the pixels that are set (an empty set gets an empty box).
    void Normalize();
};

Mask RectMask(const RECT& r);
// Centers inside the polygon; on an edge: left and top edges in, right and bottom out.
Mask PolygonMask(const POINT* pts, int count, bool winding);
// The mask moved by (dx, dy).
Mask Offset(const Mask& m, int dx, int dy);

// A drawing target: a pixel buffer, the offset from logical to device
// coordinates, and the clip (bounds ∩ context area ∩ region box) with the region.
struct Canvas {
    uint32_t* px = nullptr;
    int stride = 0;  // pixels per row
    int width = 0;
    int height = 0;
    bool mono = false;
    int ox = 0, oy = 0;   // device = logical + (ox, oy)
    RECT clip;            // device coordinates
    const Mask* region = nullptr;  // device coordinates, or none

    bool Visible(int dx, int dy) const {
        return dx >= clip.left && dx < clip.right && dy >= clip.top && dy < clip.bottom &&
               (!region || region->Contains(dx, dy));
    }
    uint32_t& At(int dx, int dy) { return px[static_cast<size_t>(dy) * stride + dx]; }
    uint32_t Fit(uint32_t pixel) const { return mono ? MonoPixel(pixel) : pixel; }
};

// The first index from x on (at most to) whose byte is zero when set, or
// nonzero when not: eight bytes at a time while a whole word qualifies.
inline int SkipBytes(const uint8_t* bytes, int x, int to, bool set) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    for (; x + 8 <= to; x += 8) {
        uint64_t w;
        std::memcpy(&w, bytes + x, sizeof w);
        const bool stop = set ? ((w - kOnes) & ~w & kHighs) != 0 : w != 0;
        if (stop) break;
    }
    while (x < to && (bytes[x] != 0) == set) ++x;
    return x;
}

// Calls f(from, to) for each run [from, to) of device row y within [l, r)
// that the canvas's region lets through (the whole span without a region).
// The span must already lie inside the clip rectangle.
template <typename F>
inline void ForVisibleRuns(const Canvas& c, int y, int l, int r, F&& f) {
    if (!c.region) {
        if (l < r) f(l, r);
        return;
    }
    const Mask& m = *c.region;
    if (y < m.box.top || y >= m.box.bottom) return;
    const int left = static_cast<int>(m.box.left);
    const int from = l > left ? l : left;
    const int to = r < m.box.right ? r : static_cast<int>(m.box.right);
    const uint8_t* bits = m.bits.data() + static_cast<size_t>(y - m.box.top) * static_cast<size_t>(m.box.Width()) - left;
    for (int x = from; x < to;) {
        x = SkipBytes(bits, x, to, false);
        const int start = x;
        x = SkipBytes(bits, x, to, true);
        if (start < x) f(start, x);
    }
}

// Calls f(x) for each device x in [l, r) of device row y that the region
// lets through.
template <typename F>
inline void ForVisible(const Canvas& c, int y, int l, int r, F&& f) {
    ForVisibleRuns(c, y, l, r, [&](int from, int to) {
        for (int x = from; x < to; ++x) f(x);
    });
}

// n pixels from out set to pixel.
void FillRun(uint32_t* out, int n, uint32_t pixel);
// Logical coordinates; right column and bottom row excluded.
void Fill(Canvas& c, RECT r, uint32_t pixel);
void Plot(Canvas& c, int x, int y, uint32_t pixel);
// End point excluded; see LineTo in gdi32.h for the rule.
void Line(Canvas& c, int x0, int y0, int x1, int y1, uint32_t pixel);
// Inverts the border pixels whose device x + y is even.
void FocusRect(Canvas& c, RECT r);

// How source pixels become destination pixels before the raster operation.
struct SourceMap {
    enum Kind { Same, ColorToMono, MonoToColor } kind = Same;
    uint32_t srcBk = 0;    // ColorToMono: this source color becomes white
    uint32_t dstText = 0;  // MonoToColor: black becomes this
    uint32_t dstBk = 0;    // MonoToColor: white becomes this
};

// Raster operation rop (the code's third byte) over the brush pixel, the source
// and the destination; src may be null for operations without a source.
void Blit(Canvas& dst, int x, int y, int cx, int cy, const Canvas* src, int sx, int sy,
          uint8_t rop, uint32_t brush, const SourceMap& map);
// Ternary raster operation on one pixel.
inline uint32_t Rop3(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t r = 0;
    for (int k = 0; k < 8; ++k) {
        if (!(rop & (1u << k))) continue;
        uint32_t term = ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
        r |= term;
    }
    return r & 0x00FFFFFF;
}

}  // namespace gdi32::raster
