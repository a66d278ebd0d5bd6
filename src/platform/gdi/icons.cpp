// Icons: 32-bit pixels with straight alpha, scaled copies, and DrawState's
// icon and silhouette drawing.
#include <algorithm>

#include "platform/gdi/objects.h"

namespace gdi32 {

using namespace detail;

namespace {

// Area average in premultiplied alpha, so transparent pixels do not darken
// the edges of a shrunk icon.
std::vector<uint32_t> Scale(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh) {
    if (sw == dw && sh == dh) return src;
    std::vector<uint32_t> out(static_cast<size_t>(dw) * dh);
    for (int j = 0; j < dh; ++j) {
        const int y0 = static_cast<int>(int64_t{j} * sh / dh);
        const int y1 = std::max(y0 + 1, static_cast<int>(int64_t{j + 1} * sh / dh));
        for (int i = 0; i < dw; ++i) {
            const int x0 = static_cast<int>(int64_t{i} * sw / dw);
            const int x1 = std::max(x0 + 1, static_cast<int>(int64_t{i + 1} * sw / dw));
            uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const uint32_t p = src[static_cast<size_t>(y) * sw + x];
                    const uint32_t pa = p >> 24;
                    a += pa;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                    ++n;
                }
            uint32_t v = 0;
            if (a > 0) {
                const uint32_t oa = static_cast<uint32_t>((a + n / 2) / n);
                v = (oa << 24) | static_cast<uint32_t>((r + a / 2) / a) << 16 |
                    static_cast<uint32_t>((g + a / 2) / a) << 8 | static_cast<uint32_t>((b + a / 2) / a);
            }
            out[static_cast<size_t>(j) * dw + i] = v;
        }
    }
    return out;
}

constexpr int kMaxIconSide = 1024;

}  // namespace

HICON CreateIconFromPixels(int cx, int cy, const uint32_t* argb) {
    if (!argb || cx <= 0 || cy <= 0 || cx > kMaxIconSide || cy > kMaxIconSide) return 0;
    IconObj icon;
    icon.width = cx;
    icon.height = cy;
    icon.argb.assign(argb, argb + static_cast<size_t>(cx) * cy);
    return Add(std::move(icon));
}

bool GetIconPixels(HICON hIcon, int* cx, int* cy, std::vector<uint32_t>* argb) {
    IconObj* icon = Get<IconObj>(hIcon);
    if (!icon) return false;
    if (cx) *cx = icon->width;
    if (cy) *cy = icon->height;
    if (argb) *argb = icon->argb;
    return true;
}

HGDIOBJ CopyImage(HGDIOBJ image, UINT type, int cx, int cy, UINT) {
    if (type != IMAGE_ICON || cx < 0 || cy < 0 || cx > kMaxIconSide || cy > kMaxIconSide) return 0;
    IconObj* icon = Get<IconObj>(image);
    if (!icon) return 0;
    IconObj copy;
    copy.width = cx ? cx : icon->width;
    copy.height = cy ? cy : icon->height;
    copy.argb = Scale(icon->argb, icon->width, icon->height, copy.width, copy.height);
    return Add(std::move(copy));
}

BOOL DestroyIcon(HICON hIcon) {
    if (!Get<IconObj>(hIcon)) return FALSE;
    Remove(hIcon);
    return TRUE;
}

BOOL DrawStateA(HDC hdc, HBRUSH hbr, const void* callback, LPARAM data, WPARAM, int x, int y, int cx,
                int cy, UINT flags) {
    if ((flags & 0xF) != DST_ICON || callback) return FALSE;
    IconObj* icon = Get<IconObj>(static_cast<HGDIOBJ>(data));
    raster::Canvas c;
    if (!icon || !GetCanvas(hdc, &c)) return FALSE;
    const int w = cx > 0 ? std::min(cx, kMaxIconSide) : icon->width;
    const int h = cy > 0 ? std::min(cy, kMaxIconSide) : icon->height;
    const std::vector<uint32_t> px = Scale(icon->argb, icon->width, icon->height, w, h);
    uint32_t silhouette = 0;
    const bool mono = (flags & DSS_MONO) != 0;
    if (mono && hbr) BrushPixel(hbr, &silhouette);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint32_t p = px[static_cast<size_t>(j) * w + i];
            const uint32_t a = p >> 24;
            if (a == 0) continue;
            const int64_t dx = int64_t{x} + i + c.ox, dy = int64_t{y} + j + c.oy;
            if (dx < c.clip.left || dx >= c.clip.right || dy < c.clip.top || dy >= c.clip.bottom) continue;
            if (!c.Visible(static_cast<int>(dx), static_cast<int>(dy))) continue;
            uint32_t& out = c.At(static_cast<int>(dx), static_cast<int>(dy));
            if (mono) {
                if (a >= 128) out = c.Fit(silhouette);
                continue;
            }
            uint32_t v = 0;
            for (int shift : {0, 8, 16}) {
                const uint32_t s = (p >> shift) & 0xFF, d = (out >> shift) & 0xFF;
                v |= ((s * a + d * (255 - a) + 127) / 255) << shift;
            }
            out = c.Fit(v);
        }
    return TRUE;
}

}  // namespace gdi32
