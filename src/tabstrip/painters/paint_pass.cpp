#include "tabstrip/painters/paint_pass.h"

#include <cmath>

#include "platform/gdi/gdi32.h"
#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

namespace painters {

// The frame lines run the whole height and width of the client window on
// every pass. Those that are straight are filled as one-pixel rectangles
// (the same pixels: each segment stops before its end point), which is a row
// fill instead of a pixel at a time; anything slanted still goes through a pen.
void WindowLine(HDC hdc, CMemoryDC& colors, int32_t color, std::initializer_list<POINT> points) {
    const COLORREF rgb = static_cast<COLORREF>(colors.TranslateColor(color));
    HBRUSH brush = 0;
    HPEN pen = 0;
    HGDIOBJ oldPen = 0;
    const POINT* prev = nullptr;
    for (const POINT& p : points) {
        if (prev && (prev->x == p.x || prev->y == p.y)) {
            RECT r{};
            if (prev->x == p.x && prev->y == p.y) {
                prev = &p;
                continue;
            }
            if (prev->x == p.x)
                r = prev->y < p.y ? RECT{p.x, prev->y, p.x + 1, p.y} : RECT{p.x, p.y + 1, p.x + 1, prev->y + 1};
            else
                r = prev->x < p.x ? RECT{prev->x, p.y, p.x, p.y + 1} : RECT{p.x + 1, p.y, prev->x + 1, p.y + 1};
            if (!brush) brush = gdi32::CreateSolidBrush(rgb);
            gdi32::FillRect(hdc, &r, brush);
        } else if (prev) {
            if (!pen) {
                pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, rgb);
                oldPen = gdi32::SelectObject(hdc, pen);
            }
            gdi32::MoveToEx(hdc, prev->x, prev->y, nullptr);
            gdi32::LineTo(hdc, p.x, p.y);
        }
        prev = &p;
    }
    if (pen) {
        gdi32::SelectObject(hdc, oldPen);
        gdi32::DeleteObject(pen);
    }
    if (brush) gdi32::DeleteObject(brush);
}

namespace {

// The window context goes back whatever happens in the pass.
struct WindowDC {
    HWND hwnd;
    HDC hdc;
    ~WindowDC() {
        if (hdc) gdi32::ReleaseDC(hwnd, hdc);
    }
};

// Switches Bold on the control's font and gives the font to T. T only gets
// it again when the weight differs from what it holds: every caption is drawn
// in the same face, without a new platform font per tab.
void TabFont(PassContext& x, bool bold) {
    x.c.m_oFont->Bold(bold);
    if (x.tabFontBold == (bold ? 1 : 0)) return;
    x.T.Font(x.c.m_oFont);
    x.tabFontBold = bold ? 1 : 0;
    x.fontKey.clear();
    PutFace(*x.c.m_oFont, x.fontKey);
    x.fontKey += std::to_string(x.c.m_oFont->Weight());
}

// Width and height of a caption in the font T holds, which is the control's
// font as TabFont left it. Measuring shapes the text each time while the same
// captions come back on every pass, so the sizes are kept by font and text.
std::pair<int32_t, int32_t> CaptionSize(PassContext& x, const std::u16string& caption) {
    std::string& key = x.sizeKey;
    key.assign(x.fontKey);
    key.append(reinterpret_cast<const char*>(caption.data()), caption.size() * sizeof(char16_t));
    auto& cache = x.c.m_captionSizes;
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    const std::pair<int32_t, int32_t> size{x.T.TextWidth(caption), x.T.TextHeight(caption)};
    if (cache.size() >= 512) cache.clear();  // titles change as pages load
    cache.emplace(key, size);
    return size;
}

void Layout(PassContext& x, StyleLook& look) {
    xsMDITabs& c = x.c;
    const size_t n = c.m_colTabs.Count();
    // T must exist before it can take a font and measure: on the very first
    // pass nothing may have sized it yet (sizes only ever grow, so this is free later).
    x.T.Width(10);
    x.T.Height(x.H);
    c.m_aTabRect.assign(n + 1, RECT{});
    x.captions.assign(n + 1, std::u16string());
    int32_t left = look.FirstTabLeft();
    for (size_t i = 1; i <= n; ++i) {
        c.m_sCaption = modSystem::GetTabCaption(c.m_colTabs.Item(i));
        x.captions[i] = c.m_sCaption;
        const bool active = c.m_colTabs.Item(i) == x.active;
        if (active) x.activeIndex = static_cast<int32_t>(i);
        TabFont(x, active);
        RECT r{left, 3, 0, x.H - 2};
        r.right = r.left + CaptionSize(x, c.m_sCaption).first + 12;
        if (c.m_bDrawIcons) r.right += 20;
        c.m_aTabRect[i] = r;
        left = r.right - look.Overlap();
    }
}

void AutoScroll(PassContext& x, StyleLook& look) {
    xsMDITabs& c = x.c;
    if (x.active == c.m_hWndLastActive || x.activeIndex == 0) return;
    int32_t& color = look.ColorChangedArgument(x);
    c.RaiseColorChanged(color);
    c.m_hWndLastActive = x.active;
    const RECT& r = c.m_aTabRect[static_cast<size_t>(x.activeIndex)];
    if (r.left - c.m_lScrollX < 0) {
        c.m_lScrollX = r.left - 30;
    } else if (r.right - c.m_lScrollX > x.W - 49) {
        c.m_lScrollX = r.right - x.W + 79;
        if (c.m_aTabRect.back().right - c.m_lScrollX == x.W - 79) c.m_lScrollX -= 30;
    }
    if (c.m_lScrollX <= 30) c.m_lScrollX = 0;
}

void Tabs(PassContext& x, StyleLook& look) {
    xsMDITabs& c = x.c;
    const RECT window{0, 0, x.W, x.Hw};
    // A ColorChanged handler may have given the control another font.
    x.tabFontBold = -1;
    for (size_t i = 1; i < c.m_aTabRect.size(); ++i) {
        RECT& r = c.m_aTabRect[i];
        RECT shifted = r, seen{};
        OffsetRect(&shifted, -c.m_lScrollX, 0);
        if (!IntersectRect(&seen, &shifted, &window)) continue;
        const HWND hwnd = c.m_colTabs.Item(i);
        c.m_sCaption = x.captions[i];
        const bool active = hwnd == x.active;
        TabFont(x, active);
        look.Tab(x, static_cast<int32_t>(i), r, active);  // sets the caption colour
        const double yc = (r.bottom - r.top) / 2.0 - CaptionSize(x, c.m_sCaption).second / 2.0 + r.top;
        int32_t y = static_cast<int32_t>(std::nearbyint(yc)) + look.CaptionShift(active);
        int32_t l = r.left + (c.m_bDrawIcons ? 20 : 0), rr = r.right, b = r.bottom;
        x.T.DrawText(c.m_sCaption, l, y, rr, b, 1);
        if (c.m_bDrawIcons) {
            auto icon = c.GetTabIcon(hwnd);
            if (icon) x.T.DrawPicture(icon, r.left + 5, r.top + 3, 16, 16);
        }
    }
}

// The tab row, drawn only when its key differs from the row the tab surface
// holds; otherwise the pass takes back what drawing it left behind (a style
// may widen a stored rectangle, and the caption last drawn stays current).
void TabRow(PassContext& x, StyleLook& look) {
    xsMDITabs& c = x.c;
    auto& memo = c.m_tabRowMemo;
    std::string key;
    TabRowKey(x, c.m_aTabRect, key);
    if (!memo.key.empty() && key == memo.key) {
        c.m_aTabRect = memo.rects;
        c.m_sCaption = memo.caption;
        return;
    }
    const std::vector<RECT> laidOut = c.m_aTabRect;  // drawing may widen one
    const HDC surface = x.T.hDc();
    const int32_t w = x.T.Width(), h = x.T.Height();
    look.TabRow(x);
    Tabs(x, look);
    // A surface the row had to resize or make anew is part of what it holds.
    if (surface == x.T.hDc() && w == x.T.Width() && h == x.T.Height()) memo.key = std::move(key);
    else TabRowKey(x, laidOut, memo.key);
    memo.rects = c.m_aTabRect;
    memo.caption = c.m_sCaption;
}

// Right to left, each button's rectangle stored just before it is drawn: the
// scroll-right arrow therefore asks CanScrollRight while m_rcScrollLeft still
// holds the previous pass's rectangle.
void Buttons(PassContext& x, StyleLook& look) {
    xsMDITabs& c = x.c;
    const int32_t glyph = look.GlyphColor(x), hollow = look.HollowColor(x);
    // Close.
    c.m_rcClose = look.CloseRect(x.W);
    c.m_lButtonsWidth = look.ButtonsWidthAfterClose();
    look.ButtonFace(x, c.m_rcClose, 3);
    auto marlett = std::make_shared<StdFont>();
    marlett->Name("Marlett");
    marlett->Size(7);
    x.S.Font(marlett);
    look.CloseGlyphColor(x);
    const int32_t shift = c.m_lPressedButton == 3 ? 4 : 3;
    int32_t gl = c.m_rcClose.left + shift, gt = c.m_rcClose.top + shift, gr = c.m_rcClose.right,
            gb = c.m_rcClose.bottom;
    x.S.DrawText(std::u16string(u"r"), gl, gt, gr, gb, 0);
    // Scroll right.
    c.m_rcScrollRight = RECT{c.m_rcClose.left - 14, 5, c.m_rcClose.left, 20};
    c.m_lButtonsWidth += 14;
    look.ButtonFace(x, c.m_rcScrollRight, 2);
    {
        const bool pressed = c.m_lPressedButton == 2;
        const int32_t ax = c.m_rcScrollRight.left + (pressed ? 5 : 4);
        const int32_t ay = c.m_rcScrollRight.top + (pressed ? 3 : 2), ey = ay + 9;
        for (int32_t j = 0; j <= 4; ++j) x.S.DrawLine(ax + j, ay + j, ax + j, ey - j, glyph);
        if (!c.CanScrollRight())
            for (int32_t k = 1; k <= 3; ++k) x.S.DrawLine(ax + k, ay + k + 1, ax + k, ey - k - 1, hollow);
    }
    // Scroll left.
    c.m_rcScrollLeft = RECT{c.m_rcScrollRight.left - 14, 5, c.m_rcScrollRight.left, 20};
    c.m_lButtonsWidth += 14;
    look.ButtonFace(x, c.m_rcScrollLeft, 1);
    {
        const bool pressed = c.m_lPressedButton == 1;
        const int32_t ax = c.m_rcScrollLeft.right - (pressed ? 5 : 6);
        const int32_t ay = c.m_rcScrollLeft.top + (pressed ? 3 : 2), ey = ay + 9;
        for (int32_t k = 4; k >= 0; --k) x.S.DrawLine(ax - k, ay + k, ax - k, ey - k, glyph);
        if (!c.CanScrollLeft())
            for (int32_t k = 3; k >= 1; --k) x.S.DrawLine(ax - k, ay + k + 1, ax - k, ey - k - 1, hollow);
    }
}

}  // namespace

void SlotButtonsLook::ButtonFace(PassContext& x, const RECT& r, int32_t code) {
    xsMDITabs& c = x.c;
    if (c.m_lHotButton != code) return;
    if (c.m_lPressedButton == code)
        x.S.Draw3DRect(r.left, r.top, r.right, r.bottom, c.m_lColorButtonDark, c.m_lColorButtonLight);
    else
        x.S.Draw3DRect(r.left, r.top, r.right, r.bottom, c.m_lColorButtonLight, c.m_lColorButtonDark);
}

int32_t SlotButtonsLook::GlyphColor(PassContext& x) const { return x.c.m_lColorGlyph; }
int32_t SlotButtonsLook::HollowColor(PassContext& x) const { return x.c.m_lColorBack; }
void SlotButtonsLook::CloseGlyphColor(PassContext& x) { x.S.ForeColor(x.c.m_lColorGlyph); }

void RunPaintPass(xsMDITabs& c, HWND hWnd, StyleLook& look) {
    WindowDC wdc{hWnd, gdi32::GetWindowDC(hWnd)};
    if (!wdc.hdc) return;
    RECT wr{};
    GetWindowRect(hWnd, &wr);
    OffsetRect(&wr, -wr.left, -wr.top);
    c.RefreshTabList();
    PassContext x{c, wdc.hdc, wr.right, wr.bottom, c.m_lStripHeight, 0, 0, 0, false, *c.m_oStripDC, *c.m_oTabDC};
    if (c.m_colTabs.Count() > 0) {
        BOOL scratch = FALSE;
        x.active = static_cast<HWND>(
            SendMessageA(c.m_hWndClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&scratch)));
    }
    look.ActiveColor(x);
    x.S.Width(x.W);
    x.S.Height(x.Hw + 1);
    std::string frame;
    FrameKey(x, hWnd, frame);
    if (frame.empty() || frame != c.m_frameMemo) look.ClientFrame(x);
    // Whatever the rest of the pass draws on the window, the frame lines are
    // there when it ends: the key is taken again then.
    c.m_frameMemo.clear();
    look.StripBackground(x);
    if (c.m_colTabs.Count() == 0) {
        x.empty = true;
        c.m_tabRowMemo.key.clear();  // the empty strip draws on the tab surface
        look.EmptyStrip(x);
        c.m_hWndLastActive = 0;
        look.Compose(x);
        FrameKey(x, hWnd, c.m_frameMemo);
        return;
    }
    Layout(x, look);
    AutoScroll(x, look);
    TabRow(x, look);
    look.ButtonArea(x);
    Buttons(x, look);
    look.BeforeCompose(x);
    look.Compose(x);
    FrameKey(x, hWnd, c.m_frameMemo);
}

}  // namespace painters
