// The drawing layer: device contexts over memory bitmaps and window surfaces,
// pens, brushes, fonts, regions, palettes and icons, with the pixel rules the
// painters count on. Handles share one space with no reuse in a run; every
// object made here is counted while it lives (LiveObjectCount) so tests can
// prove that drawing leaks nothing.
//
// Narrow text is UTF-8. Wide text is UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wintypes.h"

namespace gdi32 {

// ---- Constants -----------------------------------------------------------------
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Polygon fill modes and region kinds.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_PALETTE = 15;
constexpr int DEFAULT_GUI_FONT = 17;

// Font weights.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr int DEFAULT_CHARSET = 1;
constexpr int GB2312_CHARSET = 134;

// DrawText formats.
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_RTLREADING = 0x20000;

// DrawState.
constexpr UINT DST_COMPLEX = 0x0;
constexpr UINT DST_BITMAP = 0x4;
constexpr UINT DST_ICON = 0x3;
constexpr UINT DSS_NORMAL = 0x0;
constexpr UINT DSS_MONO = 0x80;

// CopyImage.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_COPYFROMRESOURCE = 0x4000;

// DIBs.
constexpr UINT BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

// ---- Records -------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};  // UTF-8, zero-terminated
};

struct TEXTMETRICA {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 0;
    LONG tmDigitizedAspectY = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);  // 20
    int iTabLength = 0;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;  // positive: bottom-up rows
    WORD biPlanes = 1;
    WORD biBitCount = 32;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
};

// ---- Device contexts --------------------------------------------------------------
// Only the driver "DISPLAY" is known. The display context has no pixels of
// its own; it is what memory contexts and bitmaps are made compatible with.
HDC CreateDCA(const char* driver, const char* device, const char* output, const void* initData);
// A memory context holding a 1 × 1 monochrome stock bitmap until another is selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
// Window contexts draw on the window's surface: GetWindowDC on the whole
// window (origin at its top-left), GetDC on the client area (origin at the
// client's top-left, clipped to it). GetDC(0) is a display context.
HDC GetWindowDC(HWND hWnd);
HDC GetDC(HWND hWnd);
// Tells the backend the context's pixels changed, then frees the context.
int ReleaseDC(HWND hWnd, HDC hdc);
int GetDeviceCaps(HDC hdc, int index);

// ---- Objects ----------------------------------------------------------------------------
// A 32-bit bitmap compatible with the context, or a monochrome one when the
// context is a memory context holding a monochrome bitmap. A zero width or
// height gives a new 1 × 1 monochrome bitmap.
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
// bpp 1 or 32. Monochrome bits: rows padded to 16 bits, most significant bit
// first, 1 = white. 32-bit bits: top-down rows of 0x00RRGGBB.
HBITMAP CreateBitmap(int cx, int cy, UINT planes, UINT bpp, const void* bits);
// A 32-bit bitmap from top-down 0x00RRGGBB pixels.
HBITMAP CreateBitmapFromPixels(int cx, int cy, const uint32_t* rgb);
// The bitmap's size and bits per pixel; false for anything else.
bool GetBitmapInfo(HBITMAP hbm, int* cx, int* cy, int* bpp);
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontIndirectA(const LOGFONTA* lf);
HPALETTE CreateHalftonePalette(HDC hdc);
HGDIOBJ GetStockObject(int index);
// Returns the previously selected object of that kind, 0 on failure. A bitmap
// can be selected into one memory context at a time. Selecting a region sets
// the clip region (a copy) and returns its kind.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
// Stock objects stay (TRUE); an object still selected into a context is not
// deleted and FALSE comes back.
BOOL DeleteObject(HGDIOBJ obj);
HPALETTE SelectPalette(HDC hdc, HPALETTE hpal, BOOL forceBackground);
UINT RealizePalette(HDC hdc);

// ---- Context state ------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

// ---- Pixels, lines, fills ------------------------------------------------------------
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
// Draws from the current position to (x, y), end point excluded, with the
// selected pen, and moves there. Slanted lines step along the longer axis;
// the other coordinate is start + offset, where offset = i × d / D rounded to
// nearest with halves going back toward the start (d, D: the short and long
// extents, i: the step). Horizontal, vertical and 45-degree lines are exact.
BOOL LineTo(HDC hdc, int x, int y);
// Right column and bottom row excluded. hbr may be a system color + 1.
int FillRect(HDC hdc, const RECT* rect, HBRUSH hbr);
// Inverts every other pixel of the rectangle's one-pixel border.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
// Raster operations are the 256 ternary ones of the code's third byte, on the
// selected brush, the source and the destination. Color sources go to a
// monochrome destination as 1 where the pixel equals the source's background
// color; monochrome sources go to a color destination as the destination's
// text color (0) and background color (1).
BOOL BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop);
// Copies 32-bit BI_RGB DIB rows (bottom-up for a positive height). Returns the
// number of rows copied, 0 on failure.
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* bmi, UINT usage,
                  DWORD rop);

// ---- Regions -----------------------------------------------------------------------------
// A pixel belongs to a polygon region when its center lies inside the polygon
// (ALTERNATE: odd crossings; WINDING: non-zero winding); a center exactly on an
// edge counts when the edge is a left or top one, not a right or bottom one.
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int GetRgnBox(HRGN hrgn, RECT* rect);
BOOL PtInRegion(HRGN hrgn, int x, int y);
// Clips every later drawing to a copy of the region (in the context's
// coordinates); 0 removes the clip region.
int SelectClipRgn(HDC hdc, HRGN hrgn);

// ---- Text -----------------------------------------------------------------------------------
// Measurement and drawing share one layout, so they always agree. A '&' marks
// the next character as underlined unless DT_NOPREFIX; "&&" is one '&'.
int DrawTextW(HDC hdc, const char16_t* text, int count, RECT* rect, UINT format);
int DrawTextExA(HDC hdc, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
BOOL GetTextExtentPoint32W(HDC hdc, const char16_t* text, int count, SIZE* size);
BOOL GetTextExtentPointW(HDC hdc, const char16_t* text, int count, SIZE* size);
BOOL GetTextExtentPointA(HDC hdc, const char* text, int count, SIZE* size);
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm);
// Copies the face name (UTF-8, zero-terminated, at most count − 1 bytes, cut at
// a character boundary); returns the bytes copied without the zero.
int GetTextFaceA(HDC hdc, int count, char* name);

// ---- Icons -------------------------------------------------------------------------------------
// A 32-bit icon from top-down 0xAARRGGBB pixels (straight alpha).
HICON CreateIconFromPixels(int cx, int cy, const uint32_t* argb);
bool GetIconPixels(HICON hIcon, int* cx, int* cy, std::vector<uint32_t>* argb);
// IMAGE_ICON only: a new icon scaled to cx × cy (0 keeps the size).
HGDIOBJ CopyImage(HGDIOBJ image, UINT type, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON hIcon);
// DST_ICON draws the icon (scaled to cx × cy when they are not 0) blended by
// its alpha; with DSS_MONO, its silhouette in the brush's color. Anything else
// without a callback draws nothing.
BOOL DrawStateA(HDC hdc, HBRUSH hbr, const void* callback, LPARAM data, WPARAM wData, int x, int y,
                int cx, int cy, UINT flags);

// ---- Diagnostics ---------------------------------------------------------------------------
enum class ObjectKind { DC, Bitmap, Pen, Brush, Font, Region, Palette, Icon };
// Live objects (stock objects not counted), in all or of one kind.
size_t LiveObjectCount();
size_t LiveObjectCount(ObjectKind kind);

}  // namespace gdi32
