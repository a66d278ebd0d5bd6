// Styles 3 and 4: index-card tabs with a slanted left side. Style 3 colours
// each tab from the palette; style 4 is neutral, white tabs on button face.
#include <algorithm>

#include "platform/gdi/gdi32.h"
#include "platform/user32.h"
#include "tabstrip/painters/paint_pass.h"
#include "tabstrip/painters/painters.h"
#include "tabstrip/xsMDITabs.h"

namespace painters {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// LightenColor rounds half to even with the half inside the quotient, so two
// channels of 255 mix to 256, which carries into the next channel when packed
// (the yellow palette tab would turn green). Mix each channel on its own and
// keep it within a byte. Both colours are plain RGB values.
int32_t Mix(const CMemoryDC& dc, int32_t light, int32_t dark, int32_t amount) {
    int32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int32_t v = dc.LightenColor((light >> shift) & 0xFF, (dark >> shift) & 0xFF, amount);
        out |= std::clamp(v, 0, 255) << shift;
    }
    return out;
}
constexpr int32_t kActiveEdge = 0xB99D7F;

class SlantedLook : public StyleLook {
public:
    explicit SlantedLook(bool neutral) : neutral_(neutral) {}

    int32_t FirstTabLeft() const override { return 18; }
    int32_t Overlap() const override { return 1; }

    int32_t TabColor(PassContext& x, size_t i) const {
        return x.c.m_aTabColors.at(static_cast<size_t>(x.c.m_colTabColor.Item(i) - 1));
    }

    void ActiveColor(PassContext& x) override {
        if (!x.active) {
            x.A = Sys(12);
            return;
        }
        if (neutral_) {
            x.A = Sys(20);
            return;
        }
        x.A = Sys(12);
        for (size_t i = 1; i <= x.c.m_colTabs.Count(); ++i)
            if (x.c.m_colTabs.Item(i) == x.active) {
                x.A = TabColor(x, i);
                break;
            }
    }

    void ClientFrame(PassContext& x) override {
        const int32_t W = x.W, Hw = x.Hw, H = x.H;
        WindowLine(x.hdc, x.S, Sys(16), {{0, Hw - 2}, {0, H - 3}});
        WindowLine(x.hdc, x.S, Sys(16), {{W - 1, H - 3}, {W - 1, Hw - 1}, {-1, Hw - 1}});
        WindowLine(x.hdc, x.S, x.A, {{1, Hw - 2}, {1, H - 2}, {W - 2, H - 2}});
        WindowLine(x.hdc, x.S, x.A, {{1, Hw - 2}, {W - 1, Hw - 2}});
        WindowLine(x.hdc, x.S, x.A, {{W - 2, H - 2}, {W - 2, Hw - 2}});
        WindowLine(x.hdc, x.S, Sys(16), {{2, Hw - 3}, {2, H - 1}, {W - 3, H - 1}});
        WindowLine(x.hdc, x.S, Sys(20), {{2, Hw - 3}, {W - 2, Hw - 3}});
        WindowLine(x.hdc, x.S, Sys(20), {{W - 3, H - 1}, {W - 3, Hw - 3}});
    }

    int32_t Shade(PassContext& x) const {
        return Mix(x.S, x.S.TranslateColor(Sys(15)), x.S.TranslateColor(Sys(5)), 205);
    }

    void StripBackground(PassContext& x) override {
        CMemoryDC& S = x.S;
        const int32_t W = x.W, H = x.H;
        if (neutral_) S.FillRect(0, 0, W, H - 3, Sys(15));
        else S.DrawGradient(0, 0, W, H - 3, Shade(x), S.TranslateColor(Sys(15)), 1);
        S.DrawLine(0, H - 3, W - 1, H - 3, Sys(16));
        S.DrawLine(1, H - 2, W - 1, H - 2, x.A);
        S.DrawLine(2, H - 1, W - 2, H - 1, Sys(16));
        Pixel(S, W - 1, H - 3, Sys(16));
        S.DrawLine(0, H - 2, 0, H, Sys(16));
        Pixel(S, 1, H - 1, x.A);
        S.DrawLine(W - 1, H - 2, W - 1, H, Sys(16));
        Pixel(S, W - 2, H - 1, x.A);
        if (neutral_) S.DrawLine(0, 0, 0, x.Hw, Sys(16));
    }

    void EmptyStrip(PassContext& x) override {
        const int32_t W = x.W, H = x.H;
        x.T.Cls(Sys(12));
        x.S.Cls(Sys(12));
        x.S.DrawLine(0, 0, 0, H, Sys(16));
        x.S.DrawLine(1, 0, 1, H, x.A);
        x.S.DrawLine(2, 0, 2, H, Sys(16));
        x.T.DrawLine(0, 0, 0, H, Sys(16));
        x.S.DrawLine(W - 1, 0, W - 1, H, Sys(16));
        x.S.DrawLine(W - 2, 0, W - 2, H, x.A);
        x.S.DrawLine(W - 3, 0, W - 3, H, Sys(20));
    }

    int32_t& ColorChangedArgument(PassContext& x) override {
        return x.c.m_aTabColors.at(
            static_cast<size_t>(x.c.m_colTabColor.Item(static_cast<size_t>(x.activeIndex)) - 1));
    }

    void TabRow(PassContext& x) override {
        CMemoryDC& T = x.T;
        const int32_t H = x.H;
        T.Width(x.c.m_aTabRect.back().right + 10);
        T.Cls(Sys(15));
        const int32_t tw = T.Width();
        // The neutral look's flat fill is the button face the surface was
        // just cleared to: filling it again would change no pixel.
        if (!neutral_) T.DrawGradient(0, 0, tw, H - 3, Shade(x), T.TranslateColor(Sys(15)), 1);
        T.DrawLine(0, H - 3, tw, H - 3, Sys(16));
        T.DrawLine(0, H - 2, tw, H - 2, x.A);
        T.DrawLine(0, H - 1, tw, H - 1, Sys(16));
    }

    void Tab(PassContext& x, int32_t i, RECT& r, bool active) override {
        xsMDITabs& c = x.c;
        CMemoryDC& T = x.T;
        const int32_t l = r.left, t = r.top, rr = r.right, b = r.bottom;
        T.ForeColor(Sys(8));
        const bool shapeA = i == 1 || active;
        POINT poly[5];
        if (shapeA) {
            const int32_t P = active ? Sys(20) : Sys(15);
            const int32_t edge = neutral_ ? (active ? kActiveEdge : Sys(16)) : Sys(16);
            Pixel(T, l - 15, b - 2, edge);
            T.DrawLine(l - 14, b - 2, l + 2, t + 2, edge);
            T.DrawLine(l + 2, t + 2, l + 6, t + 1, edge);
            T.DrawLine(l + 6, t, rr - 2, t, edge);
            Pixel(T, rr - 2, t + 1, edge);
            T.DrawLine(rr - 1, t + 2, rr - 1, b, edge);
            T.DrawLine(l - 13, b - 2, l + 2, t + 3, P);
            T.DrawLine(l + 2, t + 3, l + 6, t + 2, P);
            T.DrawLine(l + 6, t + 1, rr - 2, t + 1, P);
            T.DrawLine(rr - 2, t + 2, rr - 2, b, P);
            const int32_t bottom = active ? (neutral_ ? Sys(20) : TabColor(x, static_cast<size_t>(i))) : Sys(16);
            T.DrawLine(l - 15, b - 1, rr, b - 1, bottom);
            poly[0] = {l - 12, b - 2};
            poly[1] = {l + 3, t + 3};
        } else {
            Pixel(T, l + 1, t + 3, Sys(16));
            T.DrawLine(l + 2, t + 2, l + 6, t + 1, Sys(16));
            T.DrawLine(l + 6, t, rr - 2, t, Sys(16));
            Pixel(T, rr - 2, t + 1, Sys(16));
            T.DrawLine(rr - 1, t + 2, rr - 1, b, Sys(16));
            T.DrawLine(l + 2, t + 3, l + 6, t + 2, Sys(15));
            T.DrawLine(l + 6, t + 1, rr - 2, t + 1, Sys(15));
            T.DrawLine(rr - 2, t + 2, rr - 2, b, Sys(15));
            poly[0] = {l + 1, b - 1};
            poly[1] = {l + 1, t + 4};
        }
        poly[2] = {l + 8, t + 1};
        poly[3] = {rr - 2, t + 2};
        poly[4] = {rr - 3, b - 1};
        HRGN rgn = gdi32::CreatePolygonRgn(poly, 5, gdi32::ALTERNATE);
        gdi32::SelectClipRgn(T.hDc(), rgn);
        RECT box{};
        gdi32::GetRgnBox(rgn, &box);
        // The ramp runs over box.bottom rows from box.top (the bottom where the
        // height goes), which sets the colours; the width only has to reach
        // the box's right, since a vertical ramp is the same along each row
        // and everything outside the region is clipped anyway.
        const int32_t bw = box.right - box.left;
        if (neutral_) {
            if (active) T.FillRect(box.left, box.top, box.right, box.bottom, kWhite);
            else T.DrawGradient(box.left, box.top, bw, box.bottom, T.TranslateColor(Sys(15)), kWhite, 1);
        } else {
            const int32_t col = TabColor(x, static_cast<size_t>(i));
            const int32_t col2 = Mix(T, col, kWhite, 240);
            T.DrawGradient(box.left, box.top, bw, box.bottom, col, col2, 1);
        }
        gdi32::SelectClipRgn(T.hDc(), 0);
        gdi32::DeleteObject(rgn);
        if (active && c.m_bShowFocusRect && c.m_bFrameActive) {
            RECT fr{l + 3, t + 3, rr - 4, b - 2};
            gdi32::DrawFocusRect(T.hDc(), &fr);
        }
    }

    RECT CloseRect(int32_t W) const override { return RECT{W - 17, 5, W - 3, 20}; }
    int32_t ButtonsWidthAfterClose() const override { return 19; }

    void ButtonArea(PassContext& x) override {
        const int32_t W = x.W, H = x.H;
        // A flat button-face fill: the colour is translated first, since the
        // gradient takes plain RGB values (a raw system-colour reference
        // would come out nearly black).
        // The ramp spans H-2 rows (the bottom in the height place); 47 columns
        // reach the surface's right edge, all a vertical ramp can show.
        if (neutral_) {
            const int32_t face = x.S.TranslateColor(Sys(15));
            x.S.DrawGradient(W - 47, 0, 47, H - 2, face, face, 1);
        }
        else x.S.DrawGradient(W - 47, 0, 47, H - 2, Shade(x), x.S.TranslateColor(Sys(15)), 1);
        x.S.DrawLine(W - 47, H - 3, W, H - 3, Sys(16));
    }

    void ButtonFace(PassContext& x, const RECT& r, int32_t code) override {
        xsMDITabs& c = x.c;
        if (c.m_lHotButton != code) return;
        const int32_t fh = x.S.AlphaBlend(Sys(13), x.S.AlphaBlend(Sys(5), Sys(15), 220), 85);
        x.S.FillRect(r.left, r.top, r.right, r.bottom, fh);
        if (code == 3) x.S.ForeColor(Sys(8));
        x.S.Draw3DRect(r.left, r.top, r.right, r.bottom, Sys(13), Sys(13));
    }

    int32_t GlyphColor(PassContext&) const override { return Sys(8); }
    int32_t HollowColor(PassContext&) const override { return Sys(15); }

    void BeforeCompose(PassContext& x) override {
        if (neutral_) x.S.DrawLine(0, 0, x.W, 0, x.c.m_lColorFrameOuter);
    }

    void Compose(PassContext& x) override {
        xsMDITabs& c = x.c;
        x.T.BitBlt(x.S.hDc(), 2, 2, x.W - c.m_lButtonsWidth, x.H - 2, c.m_lScrollX, 2);
        x.S.BitBlt(x.hdc, 0, 0, x.S.Width(), x.H, 0, 0);
    }

private:
    bool neutral_;
};

}  // namespace

void DrawTabsStyle3(xsMDITabs& c, HWND hWnd) {
    SlantedLook look(false);
    RunPaintPass(c, hWnd, look);
}

void DrawTabsStyle4(xsMDITabs& c, HWND hWnd) {
    SlantedLook look(true);
    RunPaintPass(c, hWnd, look);
}

}  // namespace painters
