// CMemoryDC's color arithmetic: pure functions of their arguments and the
// current system colors.
#include <algorithm>

#include "gfx/CMemoryDC.h"
#include "gfx/vb_errors.h"
#include "platform/gdi/oleaut.h"

using namespace gfx;

namespace {
int32_t Pack(int32_t r, int32_t g, int32_t b) { return Add(Add(r, Mul(g, 256)), Mul(b, 65536)); }
}  // namespace

int32_t CMemoryDC::TranslateColor(int32_t clr, HPALETTE hPal) const {
    try {
        COLORREF out = 0;
        if (oleaut::OleTranslateColor(clr, hPal, &out) != oleaut::S_OK) return -1;
        return static_cast<int32_t>(out);
    } catch (...) {
        return -1;
    }
}

int16_t CMemoryDC::GetRGB(int32_t lRGB, int16_t lNum) const {
    return Guarded("GetRGB", [&]() -> int16_t {
        if (lNum < 1 || lNum > 3 || lRGB < 0 || lRGB > 0xFFFFFF) return 0;
        static constexpr int32_t kPow[] = {1, 256, 65536};
        return static_cast<int16_t>((lRGB / kPow[lNum - 1]) & 255);
    });
}

int32_t CMemoryDC::AlphaBlend(int32_t lColorOne, int32_t lColorTwo, int32_t lAlpha) const {
    const int32_t one = TranslateColor(lColorOne);
    const int32_t two = TranslateColor(lColorTwo);
    int32_t c[3];
    for (int16_t k = 1; k <= 3; ++k) {
        const int32_t mixed = Add(Mul(Sub(255, lAlpha), GetRGB(two, k)), Mul(lAlpha, GetRGB(one, k)));
        c[k - 1] = RoundToInt32(mixed / 255.0);
        // A channel leaves the byte range only for a weight outside 0..255.
        if (c[k - 1] < 0 || c[k - 1] > 255) RaiseOverflow();
    }
    return Pack(c[0], c[1], c[2]);
}

int32_t CMemoryDC::LightenColor(int32_t lClrLight, int32_t lClrDark, int32_t lAmount) const {
    const double B = lAmount < 100 ? 100.0 : 1000.0;
    int32_t c[3];
    for (int16_t k = 1; k <= 3; ++k) {
        const double light = GetRGB(lClrLight, k), dark = GetRGB(lClrDark, k);
        c[k - 1] = RoundToInt32((B / 2 + (B - lAmount) * dark + lAmount * light) / B);
    }
    return Pack(c[0], c[1], c[2]);
}

int32_t CMemoryDC::ShiftColor(int32_t lColor, int32_t lValue, bool bIsXP) const {
    const int32_t t = TranslateColor(lColor);
    const int32_t red = t & 255;
    const int32_t green = (t / 256) % 256;
    const int32_t blue = (t / 65536) % 256;
    const int32_t r = Add(red, lValue);
    const int32_t g = Add(green, lValue);
    const int32_t b = bIsXP ? Add(blue, Mul(blue, lValue) / 192) : Add(blue, lValue);
    return Pack(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

int32_t CMemoryDC::ShiftColorEx(int32_t Color, float PercentInDecimal) const {
    const int32_t ch[3] = {Color & 255, (Color / 256) & 255, (Color / 65536) & 255};
    // The product is single precision, the sum double, as the system computes it.
    const float shift = PercentInDecimal * 255.0f;
    int32_t v[3];
    for (int k = 0; k < 3; ++k) {
        v[k] = RoundToInt32(static_cast<double>(shift) + ch[k]);
        if (PercentInDecimal > 0) v[k] = std::min(v[k], 255);
        else v[k] = std::max(v[k], 0);
    }
    return Pack(v[0], v[1], v[2]);
}
