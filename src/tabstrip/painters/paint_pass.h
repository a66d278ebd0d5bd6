// One paint pass for every style: layout, auto-scroll, tabs, buttons and the
// composition of the two surfaces; a style supplies only its look.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/CMemoryDC.h"
#include "platform/wintypes.h"

class xsMDITabs;

namespace painters {

constexpr int32_t Sys(int n) { return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(n)); }

struct PassContext {
    xsMDITabs& c;
    HDC hdc = 0;  // the MDI client's window device context
    int32_t W = 0, Hw = 0, H = 0;
    HWND active = 0;
    int32_t activeIndex = 0;
    int32_t A = 0;  // the active colour of the slanted styles
    bool empty = false;  // no tabs in this pass
    CMemoryDC& S;
    CMemoryDC& T;
    int tabFontBold = -1;  // weight of the font T was last given in this step: -1 none yet
    std::string fontKey{};  // the font T holds, as the first part of a caption-size key
    std::string sizeKey{};  // scratch for the key
    std::vector<std::u16string> captions{};  // of tabs 1..n, as laid out (index 0 unused)
};

class StyleLook {
public:
    virtual ~StyleLook() = default;
    virtual int32_t FirstTabLeft() const = 0;
    virtual int32_t Overlap() const = 0;
    virtual void ActiveColor(PassContext&) {}
    virtual void ClientFrame(PassContext&) = 0;
    virtual void StripBackground(PassContext&) = 0;
    virtual void EmptyStrip(PassContext&) = 0;
    virtual int32_t& ColorChangedArgument(PassContext&) = 0;
    virtual void TabRow(PassContext&) = 0;
    // Draws tab i's shape; a style may widen the stored rectangle.
    virtual void Tab(PassContext&, int32_t i, RECT& r, bool active) = 0;
    // Pixels the caption moves down (negative: up) from its centred place.
    virtual int32_t CaptionShift(bool /*active*/) const { return 0; }
    virtual RECT CloseRect(int32_t W) const = 0;
    virtual int32_t ButtonsWidthAfterClose() const = 0;
    virtual void ButtonArea(PassContext&) = 0;
    // The hot or pressed look of one button, before its glyph.
    virtual void ButtonFace(PassContext&, const RECT& r, int32_t code) = 0;
    virtual int32_t GlyphColor(PassContext&) const = 0;
    virtual int32_t HollowColor(PassContext&) const = 0;
    virtual void CloseGlyphColor(PassContext&) {}
    virtual void BeforeCompose(PassContext&) {}
    virtual void Compose(PassContext&) = 0;
};

// The buttons of styles 0 to 2: glyphs in the colour slots, a raised frame
// when hot and a sunken one when also pressed.
class SlotButtonsLook : public StyleLook {
public:
    void ButtonFace(PassContext& x, const RECT& r, int32_t code) override;
    int32_t GlyphColor(PassContext& x) const override;
    int32_t HollowColor(PassContext& x) const override;
    void CloseGlyphColor(PassContext& x) override;
};

void RunPaintPass(xsMDITabs& c, HWND hWnd, StyleLook& look);

// Appends a font's face, every property but its weight, to a key.
void PutFace(const StdFont& f, std::string& key);

// Everything the client window's frame lines depend on, the drawing done on
// the window since they were drawn included.
void FrameKey(const PassContext& x, HWND hWnd, std::string& key);

// Everything the tab row's pixels depend on, as bytes: equal keys, equal rows.
// rects are the tabs' rectangles as laid out, before any style widened one.
void TabRowKey(PassContext& x, const std::vector<RECT>& rects, std::string& key);

// One pixel in a colour value: SetPixel takes plain RGB, so a system-colour
// reference is translated first.
inline void Pixel(CMemoryDC& dc, int32_t x, int32_t y, int32_t color) {
    dc.SetPixel(x, y, dc.TranslateColor(color));
}

// A line on a device context with a one-pixel solid pen, end point excluded.
void WindowLine(HDC hdc, CMemoryDC& colors, int32_t color, std::initializer_list<POINT> points);

}  // namespace painters
