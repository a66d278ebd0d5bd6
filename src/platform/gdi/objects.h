// Handle bookkeeping of the drawing layer: the object table, what each kind
// of object holds, and how a device context resolves to a canvas. Internal to
// src/platform/gdi.
#pragma once

#include <memory>
#include <optional>
#include <variant>

#include "platform/gdi/gdi32.h"
#include "platform/gdi/raster.h"
#include "platform/surface.h"

namespace gdi32::detail {

struct BitmapObj {
    int width = 0;
    int height = 0;
    bool mono = false;
    std::vector<uint32_t> px;  // top-down, stride = width
    HDC selectedIn = 0;
};
struct PenObj {
    int style = PS_SOLID;
    COLORREF color = 0;
};
struct BrushObj {
    COLORREF color = 0;
    bool hollow = false;
};
struct FontCache;  // text.cpp: the Pango description and metrics
struct FontObj {
    LOGFONTA lf;
    std::shared_ptr<FontCache> cache;
};
struct RegionObj {
    raster::Mask mask;
};
struct PaletteObj {
    std::vector<COLORREF> entries;
};
struct IconObj {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // top-down, straight alpha
};
enum class DcKind { Memory, Window, Display };
struct DcObj {
    DcKind kind = DcKind::Memory;
    HBITMAP bitmap = 0;  // memory contexts
    HWND hwnd = 0;       // window contexts
    std::shared_ptr<user32::Surface> surface;
    POINT origin;  // window contexts: device position of logical (0, 0)
    RECT area;     // window contexts: device rectangle drawing may touch
    HPEN pen = 0;
    HBRUSH brush = 0;
    HFONT font = 0;
    HPALETTE palette = 0;
    COLORREF text = 0;
    COLORREF bk = 0x00FFFFFF;
    int bkMode = OPAQUE;
    POINT pos;
    std::optional<raster::Mask> clip;  // device coordinates
};

using Payload = std::variant<DcObj, BitmapObj, PenObj, BrushObj, FontObj, RegionObj, PaletteObj, IconObj>;

struct Object {
    Payload data;
    bool stock = false;
    int selections = 0;  // contexts that have it selected
};

Object* Find(HGDIOBJ h);
template <typename T>
T* Get(HGDIOBJ h) {
    Object* o = Find(h);
    return o ? std::get_if<T>(&o->data) : nullptr;
}
HGDIOBJ Add(Payload data, bool stock = false);
// Removes the object from the table (no checks).
void Remove(HGDIOBJ h);

// The canvas of a context, clip region included; false when the context has
// no pixels (display context, dead window, unknown handle).
bool GetCanvas(HDC hdc, raster::Canvas* canvas);
// Brush handle (or system color + 1) to a pixel; false for a hollow or unknown brush.
bool BrushPixel(HBRUSH hbr, uint32_t* pixel);

}  // namespace gdi32::detail
