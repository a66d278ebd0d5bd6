// Style 2: raised 3-D tabs in system colours; the active tab is two pixels
// wider on each side and stands on a light base line.
#include "platform/gdi/gdi32.h"
#include "tabstrip/painters/paint_pass.h"
#include "tabstrip/painters/painters.h"
#include "tabstrip/xsMDITabs.h"

namespace painters {

namespace {

class Style2Look : public SlotButtonsLook {
public:
    int32_t FirstTabLeft() const override { return 2; }
    int32_t Overlap() const override { return 0; }

    void ClientFrame(PassContext& x) override {
        const int32_t W = x.W, Hw = x.Hw, H = x.H;
        WindowLine(x.hdc, x.S, Sys(20), {{0, Hw - 2}, {0, H - 3}});
        WindowLine(x.hdc, x.S, Sys(21), {{W - 1, H - 3}, {W - 1, Hw - 1}, {-1, Hw - 1}});
        WindowLine(x.hdc, x.S, x.c.m_lColorActiveTab, {{1, Hw - 2}, {1, H - 2}, {W - 2, H - 2}});
        WindowLine(x.hdc, x.S, Sys(16), {{1, Hw - 2}, {W - 1, Hw - 2}});
        WindowLine(x.hdc, x.S, Sys(16), {{W - 2, H - 2}, {W - 2, Hw - 2}});
        WindowLine(x.hdc, x.S, Sys(16), {{2, Hw - 3}, {2, H - 1}, {W - 3, H - 1}});
        WindowLine(x.hdc, x.S, Sys(20), {{2, Hw - 3}, {W - 2, Hw - 3}});
        WindowLine(x.hdc, x.S, Sys(20), {{W - 3, H - 1}, {W - 3, Hw - 3}});
    }

    void StripBackground(PassContext& x) override {
        x.S.FillRect(0, 0, x.W, x.H - 3, x.c.m_lColorBack);
        x.S.DrawLine(0, x.H - 3, x.W - 1, x.H - 3, Sys(20));
        Pixel(x.S, x.W - 1, x.H - 3, Sys(21));
    }

    void EmptyStrip(PassContext& x) override {
        const int32_t W = x.W, H = x.H;
        x.T.Cls(Sys(12));
        x.S.Cls(Sys(12));
        x.S.DrawLine(0, 0, 0, H, Sys(20));
        x.S.DrawLine(1, 0, 1, H, x.c.m_lColorActiveTab);
        x.S.DrawLine(2, 0, 2, H, Sys(16));
        x.S.DrawLine(W - 1, 0, W - 1, H, Sys(21));
        x.S.DrawLine(W - 2, 0, W - 2, H, Sys(16));
        x.S.DrawLine(W - 3, 0, W - 3, H, Sys(20));
    }

    int32_t& ColorChangedArgument(PassContext& x) override { return x.c.m_lColorBack; }

    void TabRow(PassContext& x) override {
        x.T.Width(x.c.m_aTabRect.back().right + 10);
        x.T.Height(x.H);
        x.T.Cls(x.c.m_lColorBack);
        x.T.DrawLine(0, x.H - 3, x.T.Width(), x.H - 3, Sys(20));
    }

    void Tab(PassContext& x, int32_t i, RECT& r, bool active) override {
        xsMDITabs& c = x.c;
        CMemoryDC& T = x.T;
        T.ForeColor(Sys(8));
        if (active) {
            r.left -= 2;  // stays widened for hit testing until the next layout
            r.right += 2;
            const int32_t l = r.left, t = r.top, rr = r.right, b = r.bottom;
            T.FillRect(l, t, rr, b, c.m_lColorActiveTab);
            T.DrawLine(l + 1, t - 1, rr - 1, t - 1, c.m_lColorActiveTab);
            T.DrawLine(l, t, l, b, Sys(20));
            Pixel(T, l + 1, t - 1, Sys(20));
            T.DrawLine(l + 2, t - 2, rr - 2, t - 2, Sys(20));
            Pixel(T, rr - 2, t - 1, Sys(21));
            T.DrawLine(rr - 1, t, rr - 1, b - 1, Sys(21));
            T.DrawLine(rr - 2, t, rr - 2, b - 1, Sys(16));
            T.DrawLine(rr - 2, b - 1, rr, b - 1, Sys(20));
            if (c.m_bShowFocusRect) {
                RECT fr{l + 4, t + 2, rr - 5, b - 3};
                gdi32::DrawFocusRect(T.hDc(), &fr);
            }
            return;
        }
        const int32_t l = r.left, t = r.top, rr = r.right, b = r.bottom;
        if (i == x.activeIndex + 1) {
            T.FillRect(l + 2, t + 2, rr, b - 1, Sys(15));
            T.DrawLine(l + 2, t + 1, rr - 1, t + 1, Sys(15));
            T.DrawLine(l + 2, t, rr - 2, t, Sys(20));
        } else {
            T.FillRect(l, t + 2, rr, b - 1, Sys(15));
            T.DrawLine(l + 1, t + 1, rr - 1, t + 1, Sys(15));
            T.DrawLine(l, t + 2, l, b, Sys(20));
            Pixel(T, l + 1, t + 1, Sys(20));
            T.DrawLine(l + 2, t, rr - 2, t, Sys(20));
        }
        Pixel(T, rr - 2, t + 1, Sys(21));
        T.DrawLine(rr - 1, t + 2, rr - 1, b - 1, Sys(21));
        T.DrawLine(rr - 2, t + 2, rr - 2, b - 1, Sys(16));
    }

    int32_t CaptionShift(bool active) const override { return active ? -1 : 0; }

    RECT CloseRect(int32_t W) const override { return RECT{W - 17, 5, W - 3, 20}; }
    int32_t ButtonsWidthAfterClose() const override { return 19; }

    void ButtonArea(PassContext& x) override {
        x.S.FillRect(x.W - 47, 1, x.W, x.H - 2, x.c.m_lColorBack);
        x.S.DrawLine(x.W - 47, x.H - 3, x.W, x.H - 3, Sys(20));
    }

    void Compose(PassContext& x) override {
        if (x.empty) {
            x.S.BitBlt(x.hdc, 0, 0, x.S.Width(), x.H, 0, 0);
            return;
        }
        x.T.BitBlt(x.S.hDc(), 0, 0, x.W - x.c.m_lButtonsWidth, x.H - 2, x.c.m_lScrollX, 0);
        x.S.BitBlt(x.hdc, 0, 0, x.S.Width(), x.H - 2, 0, 0);
    }
};

}  // namespace

void DrawTabsStyle2(xsMDITabs& c, HWND hWnd) {
    Style2Look look;
    RunPaintPass(c, hWnd, look);
}

}  // namespace painters
