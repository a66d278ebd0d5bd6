// Basic value types of the window and drawing services: handles, rectangles,
// points and the structures that travel with window messages.
#pragma once

#include <cstdint>

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
// Message parameters are pointer-sized so that messages can carry structures.
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using COLORREF = uint32_t;  // 0x00BBGGRR

// A window handle: 32-bit, non-zero for a live window, never reused in one run.
using HWND = uint32_t;
// Drawing objects of the drawing layer (device contexts, bitmaps, pens, brushes,
// fonts, regions, icons) share one 32-bit handle space.
using HGDIOBJ = uint32_t;
using HDC = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;
using HICON = HGDIOBJ;

// A window procedure is named by an identifier issued by the window layer, so
// that a procedure can carry its own context (see user32::MakeWndProc).
using WNDPROC = LONG_PTR;

// The same definitions GLib uses, so the two headers agree in any order.
#ifndef FALSE
#define FALSE (0)
#endif
#ifndef TRUE
#define TRUE (!FALSE)
#endif

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct WINDOWPOS {
    HWND hwnd = 0;
    HWND hwndInsertAfter = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct CREATESTRUCTA {
    LONG_PTR lpCreateParams = 0;
    HWND hwndParent = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD dwExStyle = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
};

struct MDICREATESTRUCTA {
    const char* szClass = nullptr;
    const char* szTitle = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    LPARAM lParam = 0;
};

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<int32_t>(
        (static_cast<uint32_t>(static_cast<WORD>(lo))) |
        (static_cast<uint32_t>(static_cast<WORD>(hi)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
    return static_cast<WPARAM>(static_cast<uint32_t>(MAKELPARAM(lo, hi)));
}
// Signed coordinates packed into a mouse message's lParam.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(l))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(l))); }

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }
