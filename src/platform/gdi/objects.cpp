// The object table, contexts, object creation and selection.
#include "platform/gdi/objects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "platform/user32.h"

namespace gdi32 {
namespace detail {

namespace {

struct Table {
    std::unordered_map<HGDIOBJ, Object> objects;
    // The same few contexts, bitmaps and pens are looked up again and again
    // while drawing: a small direct-mapped memo in front of the map. Nodes of
    // the map never move, so an entry stays valid until its object is removed.
    struct Memo {
        HGDIOBJ h = 0;
        Object* o = nullptr;
    };
    std::array<Memo, 64> memo{};
    // Handles are never reused in a run, and start well above the system
    // color numbers that FillRect accepts in place of a brush.
    HGDIOBJ next = 0x00010000;
    std::array<size_t, std::variant_size_v<Payload>> live{};
};

Table& T() {
    static Table t;
    return t;
}

}  // namespace

Object* Find(HGDIOBJ h) {
    Table& t = T();
    Table::Memo& m = t.memo[h % t.memo.size()];
    if (m.h == h && h) return m.o;
    auto it = t.objects.find(h);
    if (it == t.objects.end()) return nullptr;
    m = Table::Memo{h, &it->second};
    return m.o;
}

HGDIOBJ Add(Payload data, bool stock) {
    Table& t = T();
    HGDIOBJ h = t.next++;
    if (!stock) ++t.live[data.index()];
    t.objects.emplace(h, Object{std::move(data), stock, 0});
    return h;
}

void Remove(HGDIOBJ h) {
    Table& t = T();
    auto it = t.objects.find(h);
    if (it == t.objects.end()) return;
    if (!it->second.stock) --t.live[it->second.data.index()];
    Table::Memo& m = t.memo[h % t.memo.size()];
    if (m.h == h) m = Table::Memo{};
    t.objects.erase(it);
}

}  // namespace detail

using namespace detail;

namespace {

std::vector<COLORREF> SystemPaletteColors() {
    // The twenty colors every palette starts with.
    return {RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
            RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
            RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
            RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
            RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
}

struct Stock {
    HGDIOBJ whiteBrush, blackBrush, nullBrush, whitePen, blackPen, nullPen, systemFont, guiFont,
        palette, bitmap;
};

const Stock& Stocks() {
    static const Stock s = [] {
        Stock k{};
        k.whiteBrush = Add(BrushObj{RGB(255, 255, 255), false}, true);
        k.blackBrush = Add(BrushObj{RGB(0, 0, 0), false}, true);
        k.nullBrush = Add(BrushObj{0, true}, true);
        k.whitePen = Add(PenObj{PS_SOLID, RGB(255, 255, 255)}, true);
        k.blackPen = Add(PenObj{PS_SOLID, RGB(0, 0, 0)}, true);
        k.nullPen = Add(PenObj{PS_NULL, 0}, true);
        FontObj sys;
        sys.lf.lfHeight = -12;
        sys.lf.lfWeight = FW_NORMAL;
        std::strcpy(sys.lf.lfFaceName, "System");
        k.systemFont = Add(sys, true);
        FontObj gui;
        gui.lf.lfHeight = -11;
        gui.lf.lfWeight = FW_NORMAL;
        std::strcpy(gui.lf.lfFaceName, "Tahoma");
        k.guiFont = Add(gui, true);
        k.palette = Add(PaletteObj{SystemPaletteColors()}, true);
        BitmapObj one;
        one.width = one.height = 1;
        one.mono = true;
        one.px.assign(1, 0);
        k.bitmap = Add(std::move(one), true);
        return k;
    }();
    return s;
}

DcObj NewDc(DcKind kind) {
    const Stock& s = Stocks();
    DcObj dc;
    dc.kind = kind;
    dc.pen = s.blackPen;
    dc.brush = s.whiteBrush;
    dc.font = s.systemFont;
    dc.palette = s.palette;
    if (kind == DcKind::Memory) dc.bitmap = s.bitmap;
    for (HGDIOBJ h : {dc.pen, dc.brush, dc.font, dc.palette}) ++Find(h)->selections;
    return dc;
}

void Deselect(HGDIOBJ h) {
    if (Object* o = Find(h)) {
        if (auto* bm = std::get_if<BitmapObj>(&o->data)) {
            if (!o->stock) bm->selectedIn = 0;
        } else if (o->selections > 0) {
            --o->selections;
        }
    }
}

bool IsBitmapMono(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc || dc->kind != DcKind::Memory) return false;
    BitmapObj* bm = Get<BitmapObj>(dc->bitmap);
    return bm && bm->mono;
}

HBITMAP NewBitmap(int cx, int cy, bool mono) {
    BitmapObj bm;
    bm.width = cx;
    bm.height = cy;
    bm.mono = mono;
    bm.px.assign(static_cast<size_t>(cx) * static_cast<size_t>(cy), 0);
    return Add(std::move(bm));
}

// Bitmaps larger than this are refused rather than allocated (the strip needs
// a few screens' width at most).
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

}  // namespace

// ---- Contexts -------------------------------------------------------------------
HDC CreateDCA(const char* driver, const char*, const char*, const void*) {
    if (!driver || std::strcmp(driver, "DISPLAY") != 0) return 0;
    return Add(NewDc(DcKind::Display));
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != 0 && !Get<DcObj>(hdc)) return 0;
    return Add(NewDc(DcKind::Memory));
}

BOOL DeleteDC(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return FALSE;
    for (HGDIOBJ h : {dc->bitmap, dc->pen, dc->brush, dc->font, dc->palette}) Deselect(h);
    Remove(hdc);
    return TRUE;
}

HDC GetWindowDC(HWND hWnd) {
    if (hWnd == 0) return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    auto surface = user32::GetWindowSurface(hWnd);
    if (!surface) return 0;
    DcObj dc = NewDc(DcKind::Window);
    dc.hwnd = hWnd;
    dc.surface = std::move(surface);
    dc.area = RECT{0, 0, dc.surface->width, dc.surface->height};
    return Add(std::move(dc));
}

HDC GetDC(HWND hWnd) {
    if (hWnd == 0) return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    auto surface = user32::GetWindowSurface(hWnd);
    if (!surface) return 0;
    DcObj dc = NewDc(DcKind::Window);
    dc.hwnd = hWnd;
    dc.surface = std::move(surface);
    dc.area = user32::GetClientRectInWindow(hWnd);
    dc.origin = POINT{dc.area.left, dc.area.top};
    return Add(std::move(dc));
}

int ReleaseDC(HWND hWnd, HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc || dc->kind == DcKind::Memory) return 0;
    if (dc->kind == DcKind::Window) {
        if (dc->hwnd != hWnd) return 0;
        if (user32::IsWindow(hWnd)) user32::NotifySurfaceChanged(hWnd, dc->area);
    }
    DeleteDC(hdc);
    return 1;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!Get<DcObj>(hdc)) return 0;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case BITSPIXEL: return IsBitmapMono(hdc) ? 1 : 32;
        case PLANES: return 1;
        case HORZRES: return 1920;
        case VERTRES: return 1080;
        default: return 0;
    }
}

// ---- Objects ------------------------------------------------------------------------
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    if (!Get<DcObj>(hdc) || cx < 0 || cy < 0) return 0;
    if (cx == 0 || cy == 0) return NewBitmap(1, 1, true);
    if (int64_t{cx} * cy > kMaxBitmapPixels) return 0;
    return NewBitmap(cx, cy, IsBitmapMono(hdc));
}

HBITMAP CreateBitmap(int cx, int cy, UINT planes, UINT bpp, const void* bits) {
    if (cx <= 0 || cy <= 0 || planes != 1 || (bpp != 1 && bpp != 32)) return 0;
    if (int64_t{cx} * cy > kMaxBitmapPixels) return 0;
    HBITMAP h = NewBitmap(cx, cy, bpp == 1);
    if (!bits) return h;
    BitmapObj* bm = Get<BitmapObj>(h);
    if (bpp == 32) {
        std::memcpy(bm->px.data(), bits, bm->px.size() * sizeof(uint32_t));
        for (uint32_t& p : bm->px) p &= 0x00FFFFFF;
        return h;
    }
    const auto* b = static_cast<const uint8_t*>(bits);
    const size_t rowBytes = ((static_cast<size_t>(cx) + 15) / 16) * 2;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const bool on = (b[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
            bm->px[static_cast<size_t>(y) * cx + x] = on ? raster::kWhite : 0;
        }
    return h;
}

HBITMAP CreateBitmapFromPixels(int cx, int cy, const uint32_t* rgb) {
    return rgb ? CreateBitmap(cx, cy, 1, 32, rgb) : 0;
}

bool GetBitmapInfo(HBITMAP hbm, int* cx, int* cy, int* bpp) {
    BitmapObj* bm = Get<BitmapObj>(hbm);
    if (!bm) return false;
    if (cx) *cx = bm->width;
    if (cy) *cy = bm->height;
    if (bpp) *bpp = bm->mono ? 1 : 32;
    return true;
}

HPEN CreatePen(int style, int, COLORREF color) {
    return Add(PenObj{style == PS_NULL ? PS_NULL : PS_SOLID, color & 0x00FFFFFF});
}

HBRUSH CreateSolidBrush(COLORREF color) { return Add(BrushObj{color & 0x00FFFFFF, false}); }

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
    if (!lf) return 0;
    FontObj f;
    f.lf = *lf;
    f.lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return Add(std::move(f));
}

HPALETTE CreateHalftonePalette(HDC hdc) {
    if (hdc != 0 && !Get<DcObj>(hdc)) return 0;
    std::vector<COLORREF> entries = SystemPaletteColors();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) entries.push_back(RGB(r * 51, g * 51, b * 51));
    return Add(PaletteObj{std::move(entries)});
}

HGDIOBJ GetStockObject(int index) {
    const Stock& s = Stocks();
    switch (index) {
        case WHITE_BRUSH: return s.whiteBrush;
        case BLACK_BRUSH: return s.blackBrush;
        case NULL_BRUSH: return s.nullBrush;
        case WHITE_PEN: return s.whitePen;
        case BLACK_PEN: return s.blackPen;
        case NULL_PEN: return s.nullPen;
        case SYSTEM_FONT: return s.systemFont;
        case DEFAULT_GUI_FONT: return s.guiFont;
        case DEFAULT_PALETTE: return s.palette;
        default: return 0;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    DcObj* dc = Get<DcObj>(hdc);
    Object* o = Find(obj);
    if (!dc || !o) return 0;
    HGDIOBJ* slot = nullptr;
    if (auto* bm = std::get_if<BitmapObj>(&o->data)) {
        if (dc->kind != DcKind::Memory) return 0;
        if (!o->stock && bm->selectedIn != 0 && bm->selectedIn != hdc) return 0;
        HBITMAP prev = dc->bitmap;
        Deselect(prev);
        if (!o->stock) bm->selectedIn = hdc;
        dc->bitmap = obj;
        // A new bitmap starts without a clip region, as a fresh surface would.
        return prev;
    }
    if (std::holds_alternative<RegionObj>(o->data)) return static_cast<HGDIOBJ>(SelectClipRgn(hdc, obj));
    if (std::holds_alternative<PenObj>(o->data)) slot = &dc->pen;
    else if (std::holds_alternative<BrushObj>(o->data)) slot = &dc->brush;
    else if (std::holds_alternative<FontObj>(o->data)) slot = &dc->font;
    else return 0;
    HGDIOBJ prev = *slot;
    if (prev == obj) return prev;
    Deselect(prev);
    ++o->selections;
    *slot = obj;
    return prev;
}

BOOL DeleteObject(HGDIOBJ obj) {
    Object* o = Find(obj);
    if (!o || std::holds_alternative<DcObj>(o->data) || std::holds_alternative<IconObj>(o->data))
        return FALSE;
    if (o->stock) return TRUE;
    if (auto* bm = std::get_if<BitmapObj>(&o->data); bm && bm->selectedIn != 0) return FALSE;
    if (o->selections > 0) return FALSE;
    Remove(obj);
    return TRUE;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hpal, BOOL) {
    DcObj* dc = Get<DcObj>(hdc);
    Object* o = Find(hpal);
    if (!dc || !o || !std::holds_alternative<PaletteObj>(o->data)) return 0;
    HPALETTE prev = dc->palette;
    if (prev == hpal) return prev;
    Deselect(prev);
    ++o->selections;
    dc->palette = hpal;
    return prev;
}

// 32-bit surfaces have no hardware palette: nothing to map.
UINT RealizePalette(HDC hdc) { return Get<DcObj>(hdc) ? 0 : static_cast<UINT>(-1); }

// ---- Context state ----------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->text, color & 0x00FFFFFF);
}
COLORREF GetTextColor(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    return dc ? dc->text : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->bk, color & 0x00FFFFFF);
}
COLORREF GetBkColor(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    return dc ? dc->bk : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(dc->bkMode, mode);
}
int GetBkMode(HDC hdc) {
    DcObj* dc = Get<DcObj>(hdc);
    return dc ? dc->bkMode : 0;
}

// ---- Canvas -----------------------------------------------------------------------------
namespace detail {

bool GetCanvas(HDC hdc, raster::Canvas* c) {
    DcObj* dc = Get<DcObj>(hdc);
    if (!dc) return false;
    *c = raster::Canvas{};
    if (dc->kind == DcKind::Memory) {
        BitmapObj* bm = Get<BitmapObj>(dc->bitmap);
        if (!bm) return false;
        c->px = bm->px.data();
        c->stride = c->width = bm->width;
        c->height = bm->height;
        c->mono = bm->mono;
        c->clip = RECT{0, 0, bm->width, bm->height};
    } else if (dc->kind == DcKind::Window) {
        if (!dc->surface || !user32::IsWindow(dc->hwnd) || dc->surface->pixels.empty()) return false;
        user32::Surface& s = *dc->surface;
        s.Touch();  // whatever the context does next may change pixels
        c->px = s.pixels.data();
        c->stride = c->width = s.width;
        c->height = s.height;
        c->ox = dc->origin.x;
        c->oy = dc->origin.y;
        c->clip = RECT{std::max<LONG>(0, dc->area.left), std::max<LONG>(0, dc->area.top),
                       std::min<LONG>(s.width, dc->area.right), std::min<LONG>(s.height, dc->area.bottom)};
    } else {
        return false;
    }
    if (dc->clip) {
        const RECT& b = dc->clip->box;
        c->clip = RECT{std::max(c->clip.left, b.left), std::max(c->clip.top, b.top),
                       std::min(c->clip.right, b.right), std::min(c->clip.bottom, b.bottom)};
        c->region = &*dc->clip;
    }
    if (c->clip.left >= c->clip.right || c->clip.top >= c->clip.bottom) c->clip = RECT{};
    return true;
}

bool BrushPixel(HBRUSH hbr, uint32_t* pixel) {
    if (hbr > 0 && hbr <= static_cast<HBRUSH>(COLOR_COUNT)) {
        *pixel = raster::PixelFromColorref(user32::GetSysColor(static_cast<int>(hbr) - 1));
        return true;
    }
    BrushObj* b = Get<BrushObj>(hbr);
    if (!b || b->hollow) return false;
    *pixel = raster::PixelFromColorref(b->color);
    return true;
}

}  // namespace detail

// ---- Diagnostics ------------------------------------------------------------------------
size_t LiveObjectCount() {
    size_t n = 0;
    for (size_t v : T().live) n += v;
    return n;
}

size_t LiveObjectCount(ObjectKind kind) { return T().live[static_cast<size_t>(kind)]; }

}  // namespace gdi32
