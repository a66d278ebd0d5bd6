// Drawing entry points: pixels, lines, fills, copies and clip regions. Each
// resolves its context to a canvas and hands the pixels to the raster core.
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi32 {

using namespace detail;

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    raster::Canvas c;
    if (!GetCanvas(hdc, &c)) return CLR_INVALID;
    const int64_t dx = int64_t{x} + c.ox, dy = int64_t{y} + c.oy;
    if (dx < c.clip.left || dx >= c.clip.right || dy < c.clip.top || dy >= c.clip.bottom ||
        !c.Visible(static_cast<int>(dx), static_cast<int>(dy)))
        return CLR_INVALID;
    uint32_t& p = c.At(static_cast<int>(dx), static_cast<int>(dy));
    p = c.Fit(raster::PixelFromColorref(color));
    return raster::ColorrefFromPixel(p);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    raster::Canvas c;
    if (!GetCanvas(hdc, &c)) return CLR_INVALID;
    const int64_t dx = int64_t{x} + c.ox, dy = int64_t{y} + c.oy;
    if (dx < c.clip.left || dx >= c.clip.right || dy < c.clip.top || dy >= c.clip.bottom ||
        !c.Visible(static_cast<int>(dx), static_cast<int>(dy)))
        return CLR_INVALID;
    return raster::ColorrefFromPixel(c.At(static_cast<int>(dx), static_cast<int>(dy)));
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->pos;
    dc->pos = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return FALSE;
    const POINT from = dc->pos;
    dc->pos = POINT{x, y};
    PenObj* pen = Get<PenObj>(dc->pen);
    raster::Canvas c;
    if (!pen || pen->style == PS_NULL || !GetCanvas(hdc, &c)) return TRUE;
    raster::Line(c, from.x, from.y, x, y, raster::PixelFromColorref(pen->color));
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH hbr) {
    uint32_t pixel = 0;
    if (!rect || !Get<DcObj>(hdc) || !BrushPixel(hbr, &pixel)) return 0;
    raster::Canvas c;
    if (GetCanvas(hdc, &c)) raster::Fill(c, *rect, pixel);
    return 1;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    raster::Canvas c;
    if (!rect || !GetCanvas(hdc, &c)) return FALSE;
    raster::FocusRect(c, *rect);
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    DcObj* d = Get<DcObj>(dest);
    if (!d) return FALSE;
    const uint8_t code = static_cast<uint8_t>(rop >> 16);
    // Whether the operation reads the source: the result differs between S and ~S.
    const bool usesSource = ((code >> 2) & 0x33) != (code & 0x33);
    raster::Canvas dc;
    if (!GetCanvas(dest, &dc)) return Get<DcObj>(dest) != nullptr;
    uint32_t brush = 0;
    BrushPixel(d->brush, &brush);
    if (!usesSource) {
        raster::Blit(dc, x, y, cx, cy, nullptr, 0, 0, code, brush, {});
        return TRUE;
    }
    DcObj* s = Get<DcObj>(src);
    raster::Canvas sc;
    if (!s) return FALSE;
    if (!GetCanvas(src, &sc)) return TRUE;
    sc.region = nullptr;  // the source's clip region does not limit what is read
    raster::SourceMap map;
    if (sc.mono && !dc.mono) {
        map.kind = raster::SourceMap::MonoToColor;
        map.dstText = raster::PixelFromColorref(d->text);
        map.dstBk = raster::PixelFromColorref(d->bk);
    } else if (!sc.mono && dc.mono) {
        map.kind = raster::SourceMap::ColorToMono;
        map.srcBk = raster::PixelFromColorref(s->bk);
    }
    raster::Blit(dc, x, y, cx, cy, &sc, x1, y1, code, brush, map);
    return TRUE;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* bmi, UINT usage,
                  DWORD rop) {
    if (!bits || !bmi || usage != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < 40 || h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biPlanes != 1)
        return 0;
    if (destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return 0;
    DcObj* d = Get<DcObj>(hdc);
    raster::Canvas dc;
    if (!d || !GetCanvas(hdc, &dc)) return 0;
    const int64_t w = h.biWidth;
    const int64_t rows = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
    const bool bottomUp = h.biHeight > 0;
    const auto* px = static_cast<const uint32_t*>(bits);
    uint32_t brush = 0;
    BrushPixel(d->brush, &brush);
    const uint8_t code = static_cast<uint8_t>(rop >> 16);
    // DIB coordinates count rows from the bottom for a bottom-up DIB; the
    // picture's top row is the last memory row.
    int copied = 0;
    if (srcWidth == 1 && xSrc == 0 && destHeight == srcHeight && code == 0xCC) {
        // One column stretched across: every row is a fill (vertical gradients).
        for (int j = 0; j < destHeight; ++j) {
            const int64_t sy = int64_t{ySrc} + j;
            const int64_t dy = int64_t{yDest} + j + dc.oy;
            if (sy < 0 || sy >= rows || dy < dc.clip.top || dy >= dc.clip.bottom) continue;
            ++copied;
            const int64_t memRow = bottomUp ? rows - 1 - sy : sy;
            raster::Fill(dc, RECT{xDest, static_cast<LONG>(yDest + j), static_cast<LONG>(int64_t{xDest} + destWidth),
                                  static_cast<LONG>(yDest + j + 1)},
                         px[memRow * w] & 0x00FFFFFF);
        }
        return copied;
    }
    if (destWidth == srcWidth && destHeight == srcHeight && code == 0xCC) {
        // One to one, the way gradients are drawn: whole clipped rows at once,
        // pixel by pixel only where a clip region or a monochrome target asks.
        const int64_t x0 = std::max<int64_t>({int64_t{xDest} + dc.ox, dc.clip.left, int64_t{xDest} + dc.ox - xSrc});
        const int64_t x1 = std::min<int64_t>({int64_t{xDest} + dc.ox + destWidth, dc.clip.right,
                                              int64_t{xDest} + dc.ox - xSrc + w});
        for (int j = 0; j < destHeight; ++j) {
            const int64_t sy = int64_t{ySrc} + j;
            const int64_t dy = int64_t{yDest} + j + dc.oy;
            if (sy < 0 || sy >= rows || dy < dc.clip.top || dy >= dc.clip.bottom) continue;
            ++copied;
            if (x0 >= x1) continue;
            const int64_t memRow = bottomUp ? rows - 1 - sy : sy;
            const int64_t sx0 = x0 - (int64_t{xDest} + dc.ox) + xSrc;
            uint32_t* out = &dc.At(static_cast<int>(x0), static_cast<int>(dy));
            const uint32_t* in = px + memRow * w + sx0;
            if (!dc.region && !dc.mono) {
                for (int64_t i = 0; i < x1 - x0; ++i) out[i] = in[i] & 0x00FFFFFF;
                continue;
            }
            raster::ForVisible(dc, static_cast<int>(dy), static_cast<int>(x0), static_cast<int>(x1),
                               [&](int x) { out[x - x0] = dc.Fit(in[x - x0] & 0x00FFFFFF); });
        }
        return copied;
    }
    for (int j = 0; j < destHeight; ++j) {
        const int64_t sy = ySrc + (int64_t{j} * srcHeight) / destHeight;  // from the picture's top
        if (sy < 0 || sy >= rows) continue;
        const int64_t memRow = bottomUp ? rows - 1 - sy : sy;
        const int64_t dy = int64_t{yDest} + j + dc.oy;
        if (dy < dc.clip.top || dy >= dc.clip.bottom) continue;
        ++copied;
        for (int i = 0; i < destWidth; ++i) {
            const int64_t sx = xSrc + (int64_t{i} * srcWidth) / destWidth;
            if (sx < 0 || sx >= w) continue;
            const int64_t dx = int64_t{xDest} + i + dc.ox;
            if (dx < dc.clip.left || dx >= dc.clip.right) continue;
            if (!dc.Visible(static_cast<int>(dx), static_cast<int>(dy))) continue;
            uint32_t s = px[memRow * w + sx] & 0x00FFFFFF;
            if (dc.mono) s = raster::MonoPixel(s);
            uint32_t& out = dc.At(static_cast<int>(dx), static_cast<int>(dy));
            out = code == 0xCC ? s : raster::Rop3(code, dc.Fit(brush), s, out);
        }
    }
    return copied;
}

// ---- Regions --------------------------------------------------------------------------
namespace {
int RegionKind(const raster::Mask& m) {
    if (m.Empty()) return NULLREGION;
    for (uint8_t b : m.bits)
        if (!b) return COMPLEXREGION;
    return SIMPLEREGION;
}
}  // namespace

namespace {

// The same few small outlines come back at new places on every repaint (a tab
// of a given width and shape): their coverage is kept by shape, measured
// from the first point, since moving an outline by whole pixels moves its
// pixels by the same amount.
raster::Mask PolygonMaskByShape(const POINT* points, int count, bool winding) {
    constexpr int kMaxPoints = 16;
    constexpr int64_t kMaxSpan = 4096;
    constexpr size_t kMaxKeptPixels = 64 * 1024;
    if (count < 3 || count > kMaxPoints) return raster::PolygonMask(points, count, winding);
    std::string key;
    key.reserve(static_cast<size_t>(count) * 8 + 2);
    key += winding ? 'w' : 'a';
    for (int i = 0; i < count; ++i) {
        const int64_t dx = int64_t{points[i].x} - points[0].x, dy = int64_t{points[i].y} - points[0].y;
        if (dx < -kMaxSpan || dx > kMaxSpan || dy < -kMaxSpan || dy > kMaxSpan)
            return raster::PolygonMask(points, count, winding);
        const int32_t rel[2] = {static_cast<int32_t>(dx), static_cast<int32_t>(dy)};
        key.append(reinterpret_cast<const char*>(rel), sizeof rel);
    }
    static std::unordered_map<std::string, raster::Mask> shapes;
    auto it = shapes.find(key);
    if (it == shapes.end()) {
        std::vector<POINT> rel(points, points + count);
        for (POINT& p : rel) {
            p.x -= points[0].x;
            p.y -= points[0].y;
        }
        raster::Mask mask = raster::PolygonMask(rel.data(), count, winding);
        // Only small outlines are kept (at most 256 of 64 K pixels each).
        if (mask.bits.size() > kMaxKeptPixels) return raster::Offset(mask, points[0].x, points[0].y);
        if (shapes.size() >= 256) shapes.clear();
        it = shapes.emplace(std::move(key), std::move(mask)).first;
    }
    return raster::Offset(it->second, points[0].x, points[0].y);
}

}  // namespace

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING)) return 0;
    return Add(RegionObj{PolygonMaskByShape(points, count, fillMode == WINDING)});
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    return Add(RegionObj{raster::RectMask(r)});
}

int GetRgnBox(HRGN hrgn, RECT* rect) {
    RegionObj* r = Get<RegionObj>(hrgn);
    if (!r || !rect) return RGN_ERROR;
    *rect = r->mask.Empty() ? RECT{} : r->mask.box;
    return RegionKind(r->mask);
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
    RegionObj* r = Get<RegionObj>(hrgn);
    return r && r->mask.Contains(x, y) ? TRUE : FALSE;
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return RGN_ERROR;
    if (hrgn == 0) {
        dc->clip.reset();
        return SIMPLEREGION;
    }
    RegionObj* r = Get<RegionObj>(hrgn);
    if (!r) return RGN_ERROR;
    // Region coordinates are the context's; the clip is kept in device pixels.
    dc->clip = raster::Offset(r->mask, dc->origin.x, dc->origin.y);
    return RegionKind(dc->clip.value());
}

}  // namespace gdi32
