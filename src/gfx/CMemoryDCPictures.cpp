// CMemoryDC's gradients and pictures.
#include <algorithm>
#include <vector>

#include "gfx/CMemoryDC.h"
#include "gfx/vb_errors.h"
#include "platform/gdi/gdi32.h"

using namespace gfx;

void CMemoryDC::DrawGradient(int32_t x, int32_t y, int32_t Width, int32_t Height, int32_t Color1, int32_t Color2,
                             int32_t GradientDirection) {
    if (Width < 1 || Height < 1) return;
    const int32_t c1 = Color1 & 0x00FFFFFF, c2 = Color2 & 0x00FFFFFF;
    const int32_t r1 = c1 % 256, g1 = (c1 / 256) % 256, b1 = (c1 / 65536) % 256;
    const int32_t r2 = c2 % 256, g2 = (c2 / 256) % 256, b2 = (c2 / 65536) % 256;
    const int32_t dr = r1 - r2, dg = g1 - g2, db = b1 - b2;
    const int32_t length = GradientDirection == 0 ? Width : GradientDirection == 1 ? Height : Sub(Add(Width, Height), 1);
    const int32_t n = length - 1;
    std::vector<uint32_t> ramp(static_cast<size_t>(length));
    if (n == 0) {
        ramp[0] = static_cast<uint32_t>(((r1 / 2) + (r2 / 2)) * 65536 + ((g1 / 2) + (g2 / 2)) * 256 + ((b1 / 2) + (b2 / 2)));
    } else {
        // Truncating divisions: intermediate entries lean toward Color2.
        for (int32_t i = 0; i <= n; ++i)
            ramp[static_cast<size_t>(i)] = static_cast<uint32_t>(
                Add(Add(Mul(Add(r2, Mul(dr, i) / n), 65536), Mul(Add(g2, Mul(dg, i) / n), 256)), Add(b2, Mul(db, i) / n)));
    }
    Mul(Width, Height);  // the pixel count must fit in 32 bits, as the buffer's size does

    // Only the part that lands on the surface is built: the rest could never
    // show, and a gradient far larger than the surface must not exhaust memory.
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + Width, m_lWidth);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + Height, m_lHeight);
    if (left >= right || top >= bottom) return;
    const int32_t w = static_cast<int32_t>(right - left), h = static_cast<int32_t>(bottom - top);
    gdi32::BITMAPINFO bmi;
    bmi.bmiHeader.biHeight = h;
    if (GradientDirection == 1) {
        // Top to bottom: one colour per row, so one column stretched across.
        std::vector<uint32_t> column(static_cast<size_t>(h));
        for (int32_t k = 0; k < h; ++k) column[static_cast<size_t>(k)] = ramp[static_cast<size_t>((bottom - 1 - k) - y)];
        bmi.bmiHeader.biWidth = 1;
        gdi32::StretchDIBits(m_hDC, static_cast<int>(left), static_cast<int>(top), w, h, 0, 0, 1, h, column.data(), &bmi,
                             gdi32::DIB_RGB_COLORS, gdi32::SRCCOPY);
        return;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int32_t k = 0; k < h; ++k) {
        // Memory row k is the k-th row from the bottom of the visible part.
        const int64_t rowFromTop = (bottom - 1 - k) - y;
        const int64_t col0 = left - x;
        uint32_t* row = &pixels[static_cast<size_t>(k) * w];
        switch (GradientDirection) {
            case 0: std::copy_n(&ramp[static_cast<size_t>(col0)], w, row); break;
            case 1: std::fill_n(row, w, ramp[static_cast<size_t>(rowFromTop)]); break;
            case 2: std::copy_n(&ramp[static_cast<size_t>(rowFromTop + col0)], w, row); break;
            case 3: std::copy_n(&ramp[static_cast<size_t>(Height - 1 - rowFromTop + col0)], w, row); break;
            default: break;  // stays black
        }
    }
    bmi.bmiHeader.biWidth = w;
    gdi32::StretchDIBits(m_hDC, static_cast<int>(left), static_cast<int>(top), w, h, 0, 0, w, h, pixels.data(), &bmi,
                         gdi32::DIB_RGB_COLORS, gdi32::SRCCOPY);
}

void CMemoryDC::DrawPicture(const Picture& m_PictureF, int32_t x, int32_t y, int32_t lW, int32_t lH, bool bShadow,
                            int32_t lShadowColor, int32_t lMaskColor) {
    // No picture draws nothing: a tab without an icon must not end the paint pass.
    if (!IsCreated() || !m_PictureF) return;
    if (m_PictureF->Type() == oleaut::PICTYPE_BITMAP) {
        HDC hdcTemp = gdi32::CreateCompatibleDC(m_hDC);
        HGDIOBJ old = gdi32::SelectObject(hdcTemp, m_PictureF->Handle());
        if (lMaskColor == -1)
            gdi32::BitBlt(m_hDC, x, y, lW, lH, hdcTemp, 0, 0, gdi32::SRCCOPY);
        else
            pTransBlt(m_hDC, x, y, lW, lH, hdcTemp, 0, 0, lMaskColor, 0);
        gdi32::SelectObject(hdcTemp, old);
        gdi32::DeleteDC(hdcTemp);
        return;
    }
    HBRUSH brush = 0;
    if (bShadow)
        brush = gdi32::CreateSolidBrush(static_cast<COLORREF>(lShadowColor != -1 ? lShadowColor : TranslateColor(0x80000010)));
    const UINT flags = (bShadow ? gdi32::DSS_MONO : 0) | (m_PictureF->Type() == oleaut::PICTYPE_ICON ? gdi32::DST_ICON : 0);
    gdi32::DrawStateA(m_hDC, brush, nullptr, static_cast<LPARAM>(m_PictureF->Handle()), 0, x, y, lW, lH, flags);
    if (bShadow) gdi32::DeleteObject(brush);
}

CMemoryDC::Picture CMemoryDC::IconToPicture(HICON hIcon) const {
    if (hIcon == 0) return nullptr;
    try {
        oleaut::PICTDESC desc;
        desc.cbSizeofstruct = 16;
        desc.picType = oleaut::PICTYPE_ICON;
        desc.handle = hIcon;
        return oleaut::OleCreatePictureIndirect(&desc, true);
    } catch (...) {
        return nullptr;
    }
}

void CMemoryDC::pTransBlt(HDC hdcDest, int32_t xDest, int32_t yDest, int32_t lWidth, int32_t lHeight, HDC lhdcSrc,
                          int32_t xSrc, int32_t ySrc, int32_t lMaskColor, HPALETTE hPal) {
    using namespace gdi32;
    HDC hdcScreen = GetDC(0);
    const bool ownPalette = hPal == 0;
    if (ownPalette) hPal = CreateHalftonePalette(hdcScreen);
    COLORREF maskColor = 0;
    oleaut::OleTranslateColor(lMaskColor, hPal, &maskColor);
    maskColor &= 0x00FFFFFF;

    // Background copy: the destination as it is now.
    HBITMAP bmBack = CreateCompatibleBitmap(hdcScreen, lWidth, lHeight);
    HDC hdcBack = CreateCompatibleDC(hdcScreen);
    HGDIOBJ oldBackBmp = SelectObject(hdcBack, bmBack);
    HPALETTE oldBackPal = SelectPalette(hdcBack, hPal, TRUE);
    RealizePalette(hdcBack);
    gdi32::BitBlt(hdcBack, 0, 0, lWidth, lHeight, hdcDest, xDest, yDest, SRCCOPY);

    // Source copy, and a monochrome mask of the same size.
    HBITMAP bmSource = CreateCompatibleBitmap(hdcScreen, lWidth, lHeight);
    HBITMAP bmMask = CreateBitmap(lWidth, lHeight, 1, 1, nullptr);
    HDC hdcSource = CreateCompatibleDC(hdcScreen);
    HGDIOBJ oldSourceBmp = SelectObject(hdcSource, bmSource);
    HPALETTE oldSourcePal = SelectPalette(hdcSource, hPal, TRUE);
    RealizePalette(hdcSource);
    SetBkColor(hdcSource, GetBkColor(lhdcSrc));
    SetTextColor(hdcSource, GetTextColor(lhdcSrc));
    gdi32::BitBlt(hdcSource, 0, 0, lWidth, lHeight, lhdcSrc, xSrc, ySrc, SRCCOPY);

    // Mask: the mask color's pixels white, every other pixel black.
    HDC hdcMask = CreateCompatibleDC(hdcScreen);
    HGDIOBJ oldMaskBmp = SelectObject(hdcMask, bmMask);
    SetBkColor(hdcSource, maskColor);
    SetTextColor(hdcSource, RGB(255, 255, 255));
    gdi32::BitBlt(hdcMask, 0, 0, lWidth, lHeight, hdcSource, 0, 0, SRCCOPY);

    // Blacken the mask color in the source, keep the background only there,
    // then put the rest of the source on top.
    SetTextColor(hdcSource, RGB(0, 0, 0));
    SetBkColor(hdcSource, RGB(255, 255, 255));
    gdi32::BitBlt(hdcSource, 0, 0, lWidth, lHeight, hdcMask, 0, 0, 0x00220326);
    gdi32::BitBlt(hdcBack, 0, 0, lWidth, lHeight, hdcMask, 0, 0, SRCAND);
    gdi32::BitBlt(hdcBack, 0, 0, lWidth, lHeight, hdcSource, 0, 0, SRCPAINT);
    gdi32::BitBlt(hdcDest, xDest, yDest, lWidth, lHeight, hdcBack, 0, 0, SRCCOPY);

    SelectObject(hdcSource, oldSourceBmp);
    DeleteObject(bmSource);
    SelectPalette(hdcSource, oldSourcePal, TRUE);
    RealizePalette(hdcSource);
    DeleteDC(hdcSource);
    SelectObject(hdcBack, oldBackBmp);
    DeleteObject(bmBack);
    SelectPalette(hdcBack, oldBackPal, FALSE);
    RealizePalette(hdcBack);
    DeleteDC(hdcBack);
    SelectObject(hdcMask, oldMaskBmp);
    DeleteObject(bmMask);
    DeleteDC(hdcMask);
    ReleaseDC(0, hdcScreen);
    if (ownPalette) DeleteObject(hPal);
}
