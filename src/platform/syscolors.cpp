// System colors. Without a display they come from one fixed table, which the
// pixel tests rely on; the GTK backend replaces them with the theme's.
#include <array>

#include "platform/window_internal.h"

namespace user32 {

namespace {
constexpr std::array<COLORREF, COLOR_COUNT> kFixed = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // desktop
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // application workspace
    RGB(0, 120, 215),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // gray text
    RGB(0, 0, 0),        // button text
    RGB(0, 0, 0),        // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3-D dark shadow
    RGB(227, 227, 227),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(0, 0, 0),        // (unused)
    RGB(0, 102, 204),    // hot-tracked item
    RGB(185, 209, 234),  // active caption gradient
    RGB(215, 228, 242),  // inactive caption gradient
    RGB(51, 153, 255),   // menu highlight
    RGB(240, 240, 240),  // menu bar
};

std::array<COLORREF, COLOR_COUNT>& Colors() {
    static std::array<COLORREF, COLOR_COUNT> c = kFixed;
    return c;
}

void Broadcast(HWND h) {
    SendMessageA(h, WM_SYSCOLORCHANGE, 0, 0);
    for (HWND c : GetChildren(h)) Broadcast(c);
}
}  // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= COLOR_COUNT) return 0;
    return Colors()[static_cast<size_t>(index)];
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* values) {
    if (count < 0 || (count > 0 && (!indexes || !values))) return FALSE;
    for (int i = 0; i < count; ++i)
        if (indexes[i] >= 0 && indexes[i] < COLOR_COUNT)
            Colors()[static_cast<size_t>(indexes[i])] = values[i] & 0xFFFFFF;
    for (HWND t : GetTopLevelWindows()) Broadcast(t);
    return TRUE;
}

void ResetSysColors() { Colors() = kFixed; }

}  // namespace user32
