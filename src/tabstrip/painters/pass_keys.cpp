// What the tab row's pixels and the client window's frame lines depend on,
// each written out as one string of bytes. Most passes (a button turning
// hot, the frame moving, a drag waiting for its half width) leave the tabs
// and the frame as they were; when a key equals the key of what is already
// drawn, that part is not drawn again.
#include <type_traits>

#include "platform/user32.h"
#include "tabstrip/painters/paint_pass.h"
#include "tabstrip/xsMDITabs.h"

namespace painters {

namespace {

template <typename T>
void Put(std::string& key, const T& v) {
    static_assert(std::is_trivially_copyable_v<T>);
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void Put(std::string& key, const std::u16string& s) {
    Put(key, s.size());
    key.append(reinterpret_cast<const char*>(s.data()), s.size() * sizeof(char16_t));
}

}  // namespace

namespace {

// The colour slots and every system colour a slot or a painter may refer to.
void PutColours(const PassContext& x, std::string& key) {
    const xsMDITabs& c = x.c;
    for (int32_t v : {c.m_lColorBack, c.m_lColorActiveTab, c.m_lColorActiveText, c.m_lColorInactiveText,
                      c.m_lColorLight, c.m_lColorFrameOuter, c.m_lColorFrameInner, c.m_lColorFrameMiddle,
                      c.m_lColorGlyph, c.m_lColorButtonLight, c.m_lColorButtonDark, c.m_lColorSeparator, x.A})
        Put(key, v);
    for (int n = 0; n <= 30; ++n) Put(key, user32::GetSysColor(n));
}

}  // namespace

void PutFace(const StdFont& f, std::string& key) {
    Put(key, f.Name().size());
    key += f.Name();
    Put(key, f.SizeTenThousandths());
    Put(key, f.Charset());
    for (bool b : {f.Italic(), f.Underline(), f.Strikethrough()}) Put(key, b);
}

void FrameKey(const PassContext& x, HWND hWnd, std::string& key) {
    key.clear();
    const auto surface = user32::GetWindowSurface(hWnd);
    if (!surface) return;
    Put(key, hWnd);
    Put(key, surface.get());
    Put(key, surface->generation);
    for (int32_t v : {x.c.m_lStyle, x.W, x.Hw, x.H}) Put(key, v);
    PutColours(x, key);
}

void TabRowKey(PassContext& x, const std::vector<RECT>& rects, std::string& key) {
    xsMDITabs& c = x.c;
    key.clear();
    // The surface itself: a new context or size means its pixels are gone.
    Put(key, x.T.hDc());
    Put(key, x.T.Width());
    Put(key, x.T.Height());
    // Geometry and state of the pass.
    for (int32_t v : {c.m_lStyle, x.W, x.H, c.m_lScrollX, x.activeIndex}) Put(key, v);
    Put(key, x.active);
    for (bool b : {c.m_bShowFocusRect, c.m_bFrameActive, c.m_bDrawIcons}) Put(key, b);
    PutColours(x, key);
    Put(key, c.m_aTabColors);
    // The face, whatever weight the pass gives each caption.
    PutFace(*c.m_oFont, key);
    // Each tab: its window, colour number, rectangle, caption and icons. A
    // window's icon handles name its icons: handles are never reused.
    Put(key, rects.size());
    for (size_t i = 1; i < rects.size(); ++i) {
        const HWND hwnd = c.m_colTabs.Item(i);
        Put(key, hwnd);
        Put(key, c.m_colTabColor.Item(i));
        Put(key, rects[i]);
        Put(key, x.captions[i]);
        if (c.m_bDrawIcons) {
            Put(key, user32::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
            Put(key, user32::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
        }
    }
    Put(key, c.picDefault.get());
}

}  // namespace painters
