#include "platform/gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <utility>

namespace gdi32::raster {

namespace {

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return RECT{};
    return r;
}

// Logical rectangle to device coordinates, clipped; 64-bit so that extreme
// coordinates cannot wrap around.
RECT ToDeviceClipped(const Canvas& c, int64_t l, int64_t t, int64_t r, int64_t b) {
    l += c.ox; r += c.ox; t += c.oy; b += c.oy;
    RECT out{static_cast<LONG>(std::max<int64_t>(l, c.clip.left)),
             static_cast<LONG>(std::max<int64_t>(t, c.clip.top)),
             static_cast<LONG>(std::min<int64_t>(r, c.clip.right)),
             static_cast<LONG>(std::min<int64_t>(b, c.clip.bottom))};
    if (out.left >= out.right || out.top >= out.bottom) return RECT{};
    return out;
}

}  // namespace

void FillRun(uint32_t* out, int n, uint32_t pixel) {
    if (n <= 8) {
        // Frame lines and narrow columns: a call per row would cost more.
        for (int i = 0; i < n; ++i) out[i] = pixel;
        return;
    }
    // The C library's wide memset is vectorized for the machine it runs on;
    // a plain loop compiled for the baseline CPU is not.
    static_assert(sizeof(wchar_t) == sizeof(uint32_t));
    std::wmemset(reinterpret_cast<wchar_t*>(out), static_cast<wchar_t>(pixel), static_cast<size_t>(n));
}

void Mask::Normalize() {
    const int w = box.Width();
    RECT nb{box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom && w > 0; ++y) {
        const uint8_t* row = &bits[static_cast<size_t>(y - box.top) * w];
        int first = 0;
        while (first < w && !row[first]) ++first;
        if (first == w) continue;
        int last = w - 1;
        while (!row[last]) --last;
        nb.left = std::min<LONG>(nb.left, box.left + first);
        nb.right = std::max<LONG>(nb.right, box.left + last + 1);
        nb.top = std::min<LONG>(nb.top, y);
        nb.bottom = y + 1;
    }
    if (nb.left >= nb.right || nb.top >= nb.bottom) {
        box = RECT{};
        bits.clear();
        return;
    }
    if (nb == box) return;
    Mask m;
    m.box = nb;
    const int nw = nb.Width();
    m.bits.resize(static_cast<size_t>(nw) * nb.Height());
    for (int y = nb.top; y < nb.bottom; ++y)
        std::memcpy(&m.bits[static_cast<size_t>(y - nb.top) * nw],
                    &bits[static_cast<size_t>(y - box.top) * w + (nb.left - box.left)], static_cast<size_t>(nw));
    *this = std::move(m);
}

Mask RectMask(const RECT& r) {
    Mask m;
    if (r.left >= r.right || r.top >= r.bottom) return m;
    m.box = r;
    m.bits.assign(static_cast<size_t>(r.Width()) * r.Height(), 1);
    return m;
}

Mask PolygonMask(const POINT* pts, int count, bool winding) {
    Mask m;
    if (!pts || count < 3) return m;
    RECT box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (int i = 1; i < count; ++i) {
        box.left = std::min(box.left, pts[i].x);
        box.right = std::max(box.right, pts[i].x);
        box.top = std::min(box.top, pts[i].y);
        box.bottom = std::max(box.bottom, pts[i].y);
    }
    if (box.left >= box.right || box.top >= box.bottom) return m;
    m.box = box;
    m.bits.assign(static_cast<size_t>(box.Width()) * box.Height(), 0);

    struct Crossing {
        double x;
        int dir;
    };
    std::vector<Crossing> xs;
    for (int y = box.top; y < box.bottom; ++y) {
        // Row centers are half-integers, vertices integers: a center never
        // lies on a vertex or a horizontal edge, so only x needs a tie rule.
        const double yc = y + 0.5;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            const POINT& a = pts[i];
            const POINT& b = pts[(i + 1) % count];
            if (a.y == b.y) continue;
            const bool down = a.y < b.y;
            const POINT& lo = down ? a : b;
            const POINT& hi = down ? b : a;
            if (!(lo.y <= yc && yc < hi.y)) continue;
            // Exact integer numerator and denominator: a half-integer crossing
            // comes out exactly, so the tie rule below is reliable.
            const double num = (2.0 * (y - lo.y) + 1.0) * (hi.x - lo.x);
            const double x = lo.x + num / (2.0 * (hi.y - lo.y));
            xs.push_back({x, down ? 1 : -1});
        }
        std::sort(xs.begin(), xs.end(), [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
        // A center at x + 0.5 counts a crossing at or left of it: so a center on
        // a left edge is in, a center on a right edge is out.
        int state = 0;
        for (size_t j = 0; j + 1 < xs.size(); ++j) {
            state += winding ? xs[j].dir : 1;
            const bool inside = winding ? state != 0 : (state & 1) != 0;
            if (!inside) continue;
            const int from = static_cast<int>(std::ceil(xs[j].x - 0.5));
            const int to = static_cast<int>(std::ceil(xs[j + 1].x - 0.5));
            const int l = std::max<int>(from, box.left), r = std::min<int>(to, box.right);
            if (l < r)
                std::memset(&m.bits[static_cast<size_t>(y - box.top) * box.Width() + (l - box.left)], 1,
                            static_cast<size_t>(r - l));
        }
    }
    m.Normalize();
    return m;
}

Mask Offset(const Mask& m, int dx, int dy) {
    Mask r = m;
    if (r.Empty()) return r;
    r.box.left += dx;
    r.box.right += dx;
    r.box.top += dy;
    r.box.bottom += dy;
    return r;
}

void Fill(Canvas& c, RECT r, uint32_t pixel) {
    RECT d = ToDeviceClipped(c, r.left, r.top, r.right, r.bottom);
    if (d.left >= d.right) return;
    pixel = c.Fit(pixel);
    for (int y = d.top; y < d.bottom; ++y) {
        uint32_t* row = &c.At(0, y);
        ForVisibleRuns(c, y, d.left, d.right, [&](int from, int to) { FillRun(row + from, to - from, pixel); });
    }
}

void Plot(Canvas& c, int x, int y, uint32_t pixel) {
    const int64_t dx = int64_t{x} + c.ox, dy = int64_t{y} + c.oy;
    if (dx < INT32_MIN || dx > INT32_MAX || dy < INT32_MIN || dy > INT32_MAX) return;
    if (!c.Visible(static_cast<int>(dx), static_cast<int>(dy))) return;
    c.At(static_cast<int>(dx), static_cast<int>(dy)) = c.Fit(pixel);
}

namespace {

// A straight run of pixels from (x, y) in the direction (sx, sy), n long, all
// in 32-bit range: clipped once to the clip rectangle, then stored directly.
void Run(Canvas& c, int64_t x, int64_t y, int sx, int sy, int64_t n, uint32_t pixel) {
    x += c.ox;
    y += c.oy;
    // The run as a half-open device rectangle one pixel thick.
    int64_t l = x, t = y, r = x + 1, b = y + 1;
    if (sx > 0) r = x + n;
    if (sx < 0) l = x - n + 1;
    if (sy > 0) b = y + n;
    if (sy < 0) t = y - n + 1;
    l = std::max<int64_t>(l, c.clip.left);
    t = std::max<int64_t>(t, c.clip.top);
    r = std::min<int64_t>(r, c.clip.right);
    b = std::min<int64_t>(b, c.clip.bottom);
    if (l >= r || t >= b) return;
    pixel = c.Fit(pixel);
    for (int yy = static_cast<int>(t); yy < b; ++yy) {
        uint32_t* row = &c.At(0, yy);
        ForVisibleRuns(c, yy, static_cast<int>(l), static_cast<int>(r),
                       [&](int from, int to) { FillRun(row + from, to - from, pixel); });
    }
}

}  // namespace

void Line(Canvas& c, int x0, int y0, int x1, int y1, uint32_t pixel) {
    const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    if (major == 0) return;
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    if (minor == 0) {
        // Horizontal and vertical lines, the most common by far.
        Run(c, x0, y0, xMajor ? sMajor : 0, xMajor ? 0 : sMajor, major, pixel);
        return;
    }
    // Steps outside the clip cannot become visible again along a straight
    // line once left, but a line can start outside; skipping is cheap enough
    // for the strip's short lines.
    for (int64_t i = 0; i < major; ++i) {
        // Round i*minor/major to nearest, halves back toward the start.
        const int64_t off = (2 * i * minor + major - 1) / (2 * major);
        const int64_t px = x0 + (xMajor ? sMajor * i : sMinor * off);
        const int64_t py = y0 + (xMajor ? sMinor * off : sMajor * i);
        if (px < INT32_MIN || px > INT32_MAX || py < INT32_MIN || py > INT32_MAX) continue;
        Plot(c, static_cast<int>(px), static_cast<int>(py), pixel);
    }
}

void FocusRect(Canvas& c, RECT r) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    auto invert = [&](int x, int y) {
        const int dx = x + c.ox, dy = y + c.oy;
        if (((dx + dy) & 1) != 0 || !c.Visible(dx, dy)) return;
        c.At(dx, dy) ^= kWhite;
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top) invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left) invert(r.right - 1, y);
    }
}

void Blit(Canvas& dst, int x, int y, int cx, int cy, const Canvas* src, int sx, int sy, uint8_t rop,
          uint32_t brush, const SourceMap& map) {
    if (cx <= 0 || cy <= 0) return;
    RECT d = ToDeviceClipped(dst, x, y, int64_t{x} + cx, int64_t{y} + cy);
    if (d.left >= d.right) return;
    // Device offset from destination to source.
    int64_t offX = 0, offY = 0;
    std::vector<uint32_t> copy;
    const uint32_t* sp = nullptr;
    int sStride = 0;
    if (src) {
        offX = (int64_t{sx} + src->ox) - (int64_t{x} + dst.ox);
        offY = (int64_t{sy} + src->oy) - (int64_t{y} + dst.oy);
        // Only pixels whose source lies inside the source's area are copied.
        d = Intersect(d, RECT{static_cast<LONG>(std::clamp<int64_t>(src->clip.left - offX, INT32_MIN, INT32_MAX)),
                              static_cast<LONG>(std::clamp<int64_t>(src->clip.top - offY, INT32_MIN, INT32_MAX)),
                              static_cast<LONG>(std::clamp<int64_t>(src->clip.right - offX, INT32_MIN, INT32_MAX)),
                              static_cast<LONG>(std::clamp<int64_t>(src->clip.bottom - offY, INT32_MIN, INT32_MAX))});
        if (d.left >= d.right) return;
        sp = src->px;
        sStride = src->stride;
        if (src->px == dst.px) {
            // Overlapping copy within one buffer: read from a snapshot.
            copy.resize(static_cast<size_t>(d.Width()) * d.Height());
            for (int yy = d.top; yy < d.bottom; ++yy)
                std::memcpy(&copy[static_cast<size_t>(yy - d.top) * d.Width()],
                            src->px + static_cast<size_t>(yy + offY) * src->stride + (d.left + offX),
                            sizeof(uint32_t) * d.Width());
            sp = copy.data();
            sStride = d.Width();
            offX = -d.left;
            offY = -d.top;
        }
    }
    auto srcAt = [&](int dx, int dy) -> uint32_t {
        return sp[static_cast<size_t>(dy + offY) * sStride + static_cast<size_t>(dx + offX)];
    };
    const bool plainCopy = rop == 0xCC && src && map.kind == SourceMap::Same && !dst.region &&
                           src->mono == dst.mono;
    if (plainCopy) {
        for (int yy = d.top; yy < d.bottom; ++yy)
            std::memcpy(&dst.At(d.left, yy), &sp[static_cast<size_t>(yy + offY) * sStride + (d.left + offX)],
                        sizeof(uint32_t) * d.Width());
        return;
    }
    const uint32_t p = dst.Fit(brush);
    for (int yy = d.top; yy < d.bottom; ++yy) {
        for (int xx = d.left; xx < d.right; ++xx) {
            if (dst.region && !dst.region->Contains(xx, yy)) continue;
            uint32_t s = 0;
            if (src) {
                s = srcAt(xx, yy);
                switch (map.kind) {
                    case SourceMap::Same: break;
                    case SourceMap::ColorToMono: s = (s == map.srcBk) ? kWhite : 0; break;
                    case SourceMap::MonoToColor: s = s ? map.dstBk : map.dstText; break;
                }
                if (dst.mono && map.kind == SourceMap::Same) s = MonoPixel(s);
            }
            uint32_t& out = dst.At(xx, yy);
            out = Rop3(rop, p, s, out);
        }
    }
}

}  // namespace gdi32::raster
