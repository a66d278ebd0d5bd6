// CMemoryDC: an off-screen drawing surface that only grows, with the fill,
// line, 3-D frame, pixel, text, gradient and picture primitives of the tab
// strip, the copy to any device context, and the color arithmetic the color
// schemes use. Drawing happens off screen and is copied once, so the strip
// does not flicker.
//
// Color values are 32-bit signed: 0x00BBGGRR, 0x80000000 | system color
// index, or -1 (none / failed translation). Operations that fail raise
// ComponentError 5000 with source "<program>.CMemoryDC.<operation>".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/StdFont.h"
#include "platform/component_error.h"
#include "platform/gdi/oleaut.h"
#include "platform/wintypes.h"

class CMemoryDC {
public:
    using Picture = std::shared_ptr<oleaut::Picture>;

    CMemoryDC() = default;
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // Weighted mix of two translated colors; lAlpha (0..255) is the weight of
    // lColorOne. A weight outside 0..255 raises an overflow error.
    int32_t AlphaBlend(int32_t lColorOne, int32_t lColorTwo, int32_t lAlpha) const;
    // Copies from this surface (or lhdcSrc) into hdcDest; a size of 0 means the
    // surface's own size.
    void BitBlt(HDC hdcDest, int32_t xDest = 0, int32_t yDest = 0, int32_t lWidth = 0,
                int32_t lHeight = 0, int32_t xSrc = 0, int32_t ySrc = 0,
                uint32_t dwRop = 0x00CC0020, HDC lhdcSrc = 0);
    void Cls(int32_t lColor);
    void Draw3DRect(int32_t lLeft, int32_t lTop, int32_t lRight, int32_t lBottom,
                    int32_t oTopLeftColor, int32_t oBottomRightColor);
    // Draws on lhDc (when not 0) and always on the surface; end point excluded.
    void DrawLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Color, HDC lhDc = 0);
    // Directions: 0 horizontal (Color2 left), 1 vertical (Color2 top), 2 and 3
    // diagonal, anything else paints black.
    void DrawGradient(int32_t x, int32_t y, int32_t Width, int32_t Height, int32_t Color1,
                      int32_t Color2, int32_t GradientDirection);
    void DrawPicture(const Picture& m_PictureF, int32_t x, int32_t y, int32_t lW = 16,
                     int32_t lH = 16, bool bShadow = false, int32_t lShadowColor = -1,
                     int32_t lMaskColor = -1);
    // The rectangle comes back as the platform left it (DT_CALCRECT measures).
    void DrawText(std::u16string sText, int32_t& lLeft, int32_t& lTop, int32_t& lRight,
                  int32_t& lBottom, int32_t lFlags);
    void DrawText(const std::string& sTextUtf8, int32_t& lLeft, int32_t& lTop, int32_t& lRight,
                  int32_t& lBottom, int32_t lFlags);
    // lRight < lLeft or lBottom < lTop fill to the surface's edge; lColor -1
    // fills nothing; lhDc 0 is this surface.
    void FillRect(int32_t lLeft, int32_t lTop, int32_t lRight, int32_t lBottom, int32_t lColor,
                  HDC lhDc = 0);
    void Font(const std::shared_ptr<StdFont>& oValue);
    std::shared_ptr<StdFont> Font() const;
    int32_t ForeColor() const;
    void ForeColor(int32_t lValue);
    // lhDc -1 is this surface.
    int32_t GetPixel(int32_t x, int32_t y, HDC lhDc = static_cast<HDC>(-1)) const;
    // Channel 1 red, 2 green, 3 blue of an RGB value; 0 for anything else.
    int16_t GetRGB(int32_t lRGB, int16_t lNum) const;
    HDC hDc() const { return m_hDC; }
    void Height(int32_t lH);
    int32_t Height() const { return m_lHeight; }
    // A picture that owns hIcon from now on, or nullptr.
    Picture IconToPicture(HICON hIcon) const;
    bool IsCreated() const { return m_hDC != 0; }
    // lAmount below 100 is percent of lClrLight, from 100 up per mille.
    int32_t LightenColor(int32_t lClrLight, int32_t lClrDark, int32_t lAmount) const;
    void SetPixel(int32_t x, int32_t y, int32_t lColor);
    int32_t ShiftColor(int32_t lColor, int32_t lValue, bool bIsXP = false) const;
    int32_t TextHeight(const std::u16string& sText) const;
    int32_t TextHeight(const std::string& sTextUtf8) const;
    int32_t TextWidth(const std::u16string& sText) const;
    int32_t TextWidth(const std::string& sTextUtf8) const;
    int32_t ShiftColorEx(int32_t Color, float PercentInDecimal) const;
    // RGB value of any color form, or -1; never raises.
    int32_t TranslateColor(int32_t clr, HPALETTE hPal = 0) const;
    void Width(int32_t lW);
    int32_t Width() const { return m_lWidth; }

private:
    void pCreateMemDC(int32_t cx, int32_t cy);
    void pDestroyMemDC();
    bool pIsNT() const;
    void pTransBlt(HDC hdcDest, int32_t xDest, int32_t yDest, int32_t lWidth, int32_t lHeight,
                   HDC lhdcSrc, int32_t xSrc, int32_t ySrc, int32_t lMaskColor, HPALETTE hPal);

    HDC m_hDC = 0;
    int32_t m_lWidth = 0;
    int32_t m_lHeight = 0;
    HBITMAP m_hBmp = 0;
    HBITMAP m_hBmpOld = 0;
    HFONT m_hFont = 0;
    HFONT m_hFontOld = 0;
};
