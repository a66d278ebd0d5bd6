// Styles 0 and 1: a flat strip inside a three-line frame with a raised active tab.
#include "platform/gdi/gdi32.h"
#include "tabstrip/painters/paint_pass.h"
#include "tabstrip/painters/painters.h"
#include "tabstrip/xsMDITabs.h"

namespace painters {

namespace {

class Style01Look : public SlotButtonsLook {
public:
    explicit Style01Look(bool style1) : style1_(style1) {}

    int32_t FirstTabLeft() const override { return 4; }
    int32_t Overlap() const override { return 0; }

    void ClientFrame(PassContext& x) override {
        xsMDITabs& c = x.c;
        const int32_t W = x.W, Hw = x.Hw, H = x.H;
        WindowLine(x.hdc, x.S, c.m_lColorFrameOuter, {{0, 0}, {W - 1, 0}, {W - 1, Hw - 1}, {0, Hw - 1}, {0, 0}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameMiddle, {{1, 1}, {1, Hw - 2}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameMiddle, {{W - 2, 1}, {W - 2, Hw - 2}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameMiddle, {{1, Hw - 2}, {W - 1, Hw - 2}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameInner, {{2, H}, {2, Hw - 3}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameInner, {{W - 3, H}, {W - 3, Hw - 3}});
        WindowLine(x.hdc, x.S, c.m_lColorFrameInner, {{2, Hw - 3}, {W - 2, Hw - 3}});
    }

    void StripBackground(PassContext& x) override {
        xsMDITabs& c = x.c;
        CMemoryDC& S = x.S;
        const int32_t W = x.W, H = x.H;
        S.DrawLine(0, 0, 0, H, c.m_lColorFrameOuter);
        S.DrawLine(1, 1, 1, H, c.m_lColorFrameMiddle);
        S.DrawLine(0, 0, W, 0, c.m_lColorFrameOuter);
        S.DrawLine(W - 1, 0, W - 1, H, c.m_lColorFrameOuter);
        S.DrawLine(W - 2, 1, W - 2, H, c.m_lColorFrameMiddle);
        S.FillRect(2, 1, W - 2, H - 3, c.m_lColorBack);
        S.DrawLine(2, H - 3, W - 2, H - 3, c.m_lColorLight);
        S.DrawLine(2, H - 1, W - 2, H - 1, Sys(15));
        S.DrawLine(2, H - 2, W - 2, H - 2, c.m_lColorFrameMiddle);
        if (style1_) S.DrawLine(0, H - 2, W - 2, H - 2, c.m_lColorFrameInner);
    }

    void EmptyStrip(PassContext& x) override {
        xsMDITabs& c = x.c;
        const int32_t W = x.W, H = x.H;
        x.T.Cls(Sys(12));
        x.S.Cls(Sys(12));
        x.S.DrawLine(0, 0, 0, H, c.m_lColorFrameOuter);
        x.S.DrawLine(1, 0, 1, H, c.m_lColorFrameMiddle);
        x.S.DrawLine(2, 0, 2, H, c.m_lColorFrameInner);
        x.T.DrawLine(0, 0, 0, H, c.m_lColorFrameInner);
        x.S.DrawLine(W - 1, 0, W - 1, H, c.m_lColorFrameOuter);
        x.S.DrawLine(W - 2, 0, W - 2, H, c.m_lColorFrameMiddle);
        x.S.DrawLine(W - 3, 0, W - 3, H, c.m_lColorFrameInner);
    }

    int32_t& ColorChangedArgument(PassContext& x) override { return x.c.m_lColorBack; }

    void TabRow(PassContext& x) override {
        xsMDITabs& c = x.c;
        x.T.Width(c.m_aTabRect.back().right + 10);
        x.T.Height(x.H);
        x.T.Cls(c.m_lColorBack);
        x.T.DrawLine(0, x.H - 3, x.T.Width(), x.H - 3, c.m_lColorLight);
    }

    void Tab(PassContext& x, int32_t, RECT& r, bool active) override {
        xsMDITabs& c = x.c;
        CMemoryDC& T = x.T;
        const int32_t l = r.left, t = r.top, rr = r.right, b = r.bottom;
        if (active) {
            T.ForeColor(c.m_lColorActiveText);
            T.FillRect(l, t, rr, b, c.m_lColorActiveTab);
            if (!style1_) {
                T.DrawLine(l, t, l, b, c.m_lColorLight);
                T.DrawLine(l, t, rr, t, c.m_lColorLight);
                T.DrawLine(rr - 1, t + 1, rr - 1, b, Sys(12));
            } else {
                T.DrawLine(l, t, l, b + 5, Sys(16));
                T.DrawLine(l, t, rr, t, Sys(16));
                T.DrawLine(rr - 1, t + 1, rr - 1, b, Sys(16));
            }
            if (c.m_bShowFocusRect) {
                RECT fr{l + 3, t + 3, rr - 3, b - 2};
                gdi32::DrawFocusRect(T.hDc(), &fr);
            }
        } else {
            T.ForeColor(c.m_lColorInactiveText);
            T.DrawLine(rr, t + 2, rr, b - 2, c.m_lColorSeparator);
        }
    }

    RECT CloseRect(int32_t W) const override { return RECT{W - 19, 5, W - 5, 20}; }
    int32_t ButtonsWidthAfterClose() const override { return 21; }

    void ButtonArea(PassContext& x) override {
        xsMDITabs& c = x.c;
        const int32_t W = x.W, H = x.H;
        x.S.FillRect(W - 47, 1, W, H - 2, c.m_lColorBack);
        x.S.DrawLine(W - 1, 1, W - 1, H - 2, c.m_lColorFrameOuter);
        x.S.DrawLine(W - 47, H - 3, W - 2, H - 3, c.m_lColorLight);
        x.S.FillRect(W - 2, 1, W - 1, H - 2, c.m_lColorFrameMiddle);
    }

    void Compose(PassContext& x) override {
        xsMDITabs& c = x.c;
        x.T.BitBlt(x.S.hDc(), 2, 2, x.W - c.m_lButtonsWidth, x.H - 4, c.m_lScrollX, 2);
        x.S.BitBlt(x.hdc, 0, 0, x.S.Width(), x.H, 0, 0);
    }

private:
    bool style1_;
};

}  // namespace

void DrawTabsStyle01(xsMDITabs& c, HWND hWnd) {
    Style01Look look(c.m_lStyle == 1);
    RunPaintPass(c, hWnd, look);
}


}  // namespace painters
