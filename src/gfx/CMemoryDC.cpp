// CMemoryDC's surface: creation and growth, fills, lines, 3-D frames, pixels,
// copies, text color, fonts and text.
#include "gfx/CMemoryDC.h"

#include <vector>

#include "gfx/vb_errors.h"
#include "platform/gdi/gdi32.h"
#include "platform/gdi/kernel32.h"
#include "platform/gdi/utf.h"

using namespace gfx;

CMemoryDC::~CMemoryDC() {
    try {
        pDestroyMemDC();
    } catch (...) {
    }
}

void CMemoryDC::pCreateMemDC(int32_t cx, int32_t cy) {
    Guarded("pCreateMemDC", [&] {
        pDestroyMemDC();
        HDC hdcDisplay = gdi32::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        m_hDC = gdi32::CreateCompatibleDC(hdcDisplay);
        m_hBmp = gdi32::CreateCompatibleBitmap(hdcDisplay, cx, cy);
        m_hBmpOld = gdi32::SelectObject(m_hDC, m_hBmp);
        if (m_hBmpOld != 0) {
            m_lWidth = cx;
            m_lHeight = cy;
        } else {
            pDestroyMemDC();
        }
        gdi32::SetBkMode(m_hDC, gdi32::TRANSPARENT);
        gdi32::DeleteDC(hdcDisplay);
    });
}

void CMemoryDC::pDestroyMemDC() {
    Guarded("pDestroyMemDC", [&] {
        if (m_hBmpOld != 0) {
            gdi32::SelectObject(m_hDC, m_hBmpOld);
            m_hBmpOld = 0;
        }
        if (m_hBmp != 0) {
            gdi32::DeleteObject(m_hBmp);
            m_hBmp = 0;
        }
        if (m_hFontOld != 0) {
            gdi32::SelectObject(m_hDC, m_hFontOld);
            m_hFontOld = 0;
        }
        if (m_hFont != 0) {
            gdi32::DeleteObject(m_hFont);
            m_hFont = 0;
        }
        m_lWidth = 0;
        m_lHeight = 0;
        if (m_hDC != 0) {
            gdi32::DeleteDC(m_hDC);
            m_hDC = 0;
        }
    });
}

bool CMemoryDC::pIsNT() const {
    kernel32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = 148;
    kernel32::GetVersionExA(&info);
    return info.dwPlatformId == kernel32::VER_PLATFORM_WIN32_NT;
}

void CMemoryDC::Width(int32_t lW) {
    if (lW > m_lWidth) pCreateMemDC(lW, m_lHeight);
}

void CMemoryDC::Height(int32_t lH) {
    if (lH > m_lHeight) pCreateMemDC(m_lWidth, lH);
}

void CMemoryDC::FillRect(int32_t lLeft, int32_t lTop, int32_t lRight, int32_t lBottom, int32_t lColor,
                         HDC lhDc) {
    Guarded("FillRect", [&] {
        if (!IsCreated()) return;
        const HDC target = lhDc != 0 ? lhDc : m_hDC;
        HBRUSH brush = 0;
        HGDIOBJ old = 0;
        if (lColor != -1) {
            brush = gdi32::CreateSolidBrush(static_cast<COLORREF>(TranslateColor(lColor)));
            old = gdi32::SelectObject(target, brush);
        }
        const RECT rc{lLeft, lTop, lRight < lLeft ? m_lWidth : lRight, lBottom < lTop ? m_lHeight : lBottom};
        if (lColor != -1) {
            gdi32::FillRect(target, &rc, brush);
            gdi32::SelectObject(target, old);
            gdi32::DeleteObject(brush);
        }
    });
}

void CMemoryDC::Cls(int32_t lColor) { FillRect(0, 0, m_lWidth, m_lHeight, lColor, 0); }

void CMemoryDC::Draw3DRect(int32_t lLeft, int32_t lTop, int32_t lRight, int32_t lBottom, int32_t oTopLeftColor,
                           int32_t oBottomRightColor) {
    Guarded("Draw3DRect", [&] {
        if (!IsCreated()) return;
        HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, static_cast<COLORREF>(TranslateColor(oTopLeftColor)));
        HGDIOBJ old = gdi32::SelectObject(m_hDC, pen);
        gdi32::MoveToEx(m_hDC, lLeft, Sub(lBottom, 1), nullptr);
        gdi32::LineTo(m_hDC, lLeft, lTop);
        gdi32::LineTo(m_hDC, Sub(lRight, 1), lTop);
        gdi32::SelectObject(m_hDC, old);
        gdi32::DeleteObject(pen);
        if (lLeft == lRight) return;
        pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, static_cast<COLORREF>(TranslateColor(oBottomRightColor)));
        old = gdi32::SelectObject(m_hDC, pen);
        gdi32::LineTo(m_hDC, Sub(lRight, 1), Sub(lBottom, 1));
        gdi32::LineTo(m_hDC, Sub(lLeft, 1), Sub(lBottom, 1));
        gdi32::SelectObject(m_hDC, old);
        gdi32::DeleteObject(pen);
    });
}

void CMemoryDC::DrawLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Color, HDC lhDc) {
    if (!IsCreated()) return;
    auto line = [&](HDC target) {
        HPEN pen = gdi32::CreatePen(gdi32::PS_SOLID, 1, static_cast<COLORREF>(TranslateColor(Color)));
        HGDIOBJ old = gdi32::SelectObject(target, pen);
        gdi32::MoveToEx(target, X1, Y1, nullptr);
        gdi32::LineTo(target, X2, Y2);
        gdi32::SelectObject(target, old);
        gdi32::DeleteObject(pen);
    };
    if (lhDc != 0) line(lhDc);
    line(m_hDC);
}

void CMemoryDC::SetPixel(int32_t x, int32_t y, int32_t lColor) {
    Guarded("SetPixel", [&] {
        if (IsCreated()) gdi32::SetPixel(m_hDC, x, y, static_cast<COLORREF>(lColor));
    });
}

int32_t CMemoryDC::GetPixel(int32_t x, int32_t y, HDC lhDc) const {
    return Guarded("GetPixel", [&]() -> int32_t {
        if (!IsCreated()) return 0;
        return static_cast<int32_t>(gdi32::GetPixel(lhDc == static_cast<HDC>(-1) ? m_hDC : lhDc, x, y));
    });
}

void CMemoryDC::BitBlt(HDC hdcDest, int32_t xDest, int32_t yDest, int32_t lWidth, int32_t lHeight, int32_t xSrc,
                       int32_t ySrc, uint32_t dwRop, HDC lhdcSrc) {
    Guarded("BitBlt", [&] {
        if (!IsCreated()) return;
        const int32_t w = lWidth == 0 ? m_lWidth : lWidth;
        const int32_t h = lHeight == 0 ? m_lHeight : lHeight;
        gdi32::BitBlt(hdcDest, xDest, yDest, w, h, lhdcSrc != 0 ? lhdcSrc : m_hDC, xSrc, ySrc, dwRop);
    });
}

int32_t CMemoryDC::ForeColor() const {
    return Guarded("ForeColor", [&]() -> int32_t {
        if (!IsCreated()) return 0;
        return static_cast<int32_t>(gdi32::GetTextColor(m_hDC));
    });
}

void CMemoryDC::ForeColor(int32_t lValue) {
    Guarded("ForeColor", [&] {
        if (IsCreated()) gdi32::SetTextColor(m_hDC, static_cast<COLORREF>(TranslateColor(lValue)));
    });
}

void CMemoryDC::Font(const std::shared_ptr<StdFont>& oValue) {
    Guarded("Font", [&] {
        if (!IsCreated()) return;
        if (!oValue) RaiseObjectNotSet();
        gdi32::LOGFONTA lf;
        const std::string face = gdi32::CutUtf8(oValue->Name(), gdi32::LF_FACESIZE - 1);
        face.copy(lf.lfFaceName, face.size());
        lf.lfFaceName[face.size()] = 0;
        if (oValue->Charset() < 0 || oValue->Charset() > 255) RaiseOverflow();
        lf.lfCharSet = static_cast<BYTE>(oValue->Charset());
        lf.lfItalic = oValue->Italic() ? 1 : 0;
        lf.lfUnderline = oValue->Underline() ? 1 : 0;
        lf.lfStrikeOut = oValue->Strikethrough() ? 1 : 0;
        lf.lfWeight = oValue->Weight();
        // Pixels per inch × points in fixed point (four decimals), rounded
        // half to even, then divided by -72: a negative height asks for the
        // character height.
        const int64_t product = int64_t{gdi32::GetDeviceCaps(m_hDC, gdi32::LOGPIXELSY)} * oValue->SizeTenThousandths();
        int64_t q = product / 10000, r = product % 10000;
        if (r < 0) { r += 10000; --q; }
        if (r > 5000 || (r == 5000 && (q & 1))) ++q;
        if (q < INT32_MIN || q > INT32_MAX) RaiseOverflow();
        lf.lfHeight = static_cast<int32_t>(q) / -72;
        if (m_hFont != 0) {
            gdi32::SelectObject(m_hDC, m_hFontOld);
            gdi32::DeleteObject(m_hFont);
        }
        m_hFont = gdi32::CreateFontIndirectA(&lf);
        m_hFontOld = gdi32::SelectObject(m_hDC, m_hFont);
    });
}

std::shared_ptr<StdFont> CMemoryDC::Font() const {
    return Guarded("Font", [&]() -> std::shared_ptr<StdFont> {
        if (!IsCreated()) return nullptr;
        gdi32::TEXTMETRICA tm;
        gdi32::GetTextMetricsA(m_hDC, &tm);
        char face[80] = {};
        gdi32::GetTextFaceA(m_hDC, 80, face);
        auto font = std::make_shared<StdFont>();
        font->Name(face);
        font->Bold(tm.tmWeight >= 400);
        font->Charset(tm.tmCharSet);
        font->Italic(tm.tmItalic != 0);
        font->Strikethrough(tm.tmStruckOut != 0);
        font->Underline(tm.tmUnderlined != 0);
        font->Weight(static_cast<int16_t>(tm.tmWeight));
        if (tm.tmDigitizedAspectY != 0)
            font->Size((tm.tmHeight - tm.tmInternalLeading) * 72.0 / tm.tmDigitizedAspectY);
        return font;
    });
}

void CMemoryDC::DrawText(std::u16string sText, int32_t& lLeft, int32_t& lTop, int32_t& lRight, int32_t& lBottom,
                         int32_t lFlags) {
    Guarded("DrawText", [&] {
        if (!IsCreated()) return;
        RECT rc{lLeft, lTop, lRight, lBottom};
        if (pIsNT()) {
            gdi32::DrawTextW(m_hDC, sText.c_str(), -1, &rc, static_cast<UINT>(lFlags) | gdi32::DT_RTLREADING);
        } else {
            std::string narrow = gdi32::Utf16ToUtf8(sText);
            std::vector<char> buffer(narrow.begin(), narrow.end());
            buffer.push_back(0);
            gdi32::DRAWTEXTPARAMS params;
            gdi32::DrawTextExA(m_hDC, buffer.data(), static_cast<int>(narrow.size()), &rc,
                               static_cast<UINT>(lFlags), &params);
            sText = gdi32::Utf8ToUtf16(buffer.data(), narrow.size());
        }
        lLeft = rc.left;
        lTop = rc.top;
        lRight = rc.right;
        lBottom = rc.bottom;
    });
}

void CMemoryDC::DrawText(const std::string& sTextUtf8, int32_t& lLeft, int32_t& lTop, int32_t& lRight,
                         int32_t& lBottom, int32_t lFlags) {
    DrawText(gdi32::Utf8ToUtf16(sTextUtf8), lLeft, lTop, lRight, lBottom, lFlags);
}

namespace {
SIZE Extent(bool wide, HDC hdc, const std::u16string& s) {
    SIZE size;
    if (wide) {
        gdi32::GetTextExtentPointW(hdc, s.data(), static_cast<int>(s.size()), &size);
    } else {
        const std::string narrow = gdi32::Utf16ToUtf8(s);
        gdi32::GetTextExtentPointA(hdc, narrow.data(), static_cast<int>(narrow.size()), &size);
    }
    return size;
}
}  // namespace

int32_t CMemoryDC::TextWidth(const std::u16string& sText) const {
    return Guarded("TextWidth", [&]() -> int32_t {
        if (sText.empty() || !IsCreated()) return 0;
        return Extent(pIsNT(), m_hDC, sText).cx;
    });
}

int32_t CMemoryDC::TextHeight(const std::u16string& sText) const {
    return Guarded("TextHeight", [&]() -> int32_t {
        if (sText.empty() || !IsCreated()) return 0;
        return Extent(pIsNT(), m_hDC, sText).cy;
    });
}

int32_t CMemoryDC::TextWidth(const std::string& sTextUtf8) const { return TextWidth(gdi32::Utf8ToUtf16(sTextUtf8)); }
int32_t CMemoryDC::TextHeight(const std::string& sTextUtf8) const { return TextHeight(gdi32::Utf8ToUtf16(sTextUtf8)); }
