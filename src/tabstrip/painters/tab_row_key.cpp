// What the tab row's pixels depend on, written out as one string of bytes.
// Most passes (a button turning hot, the frame moving, a drag waiting for
// its half width) leave every tab as it was; when the key of a pass equals
// the key of the row the tab surface already holds, the row is not drawn
// again.
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

void TabRowKey(PassContext& x, const std::vector<RECT>& rects, std::string& key) {
    xsMDITabs& c = x.c;
    key.clear();
    // The surface itself: a new context or size means its pixels are gone.
    Put(key, x.T.hDc());
    Put(key, x.T.Width());
    Put(key, x.T.Height());
    // Geometry and state of the pass.
    for (int32_t v : {c.m_lStyle, x.W, x.H, c.m_lScrollX, x.activeIndex, x.A}) Put(key, v);
    Put(key, x.active);
    for (bool b : {c.m_bShowFocusRect, c.m_bFrameActive, c.m_bDrawIcons}) Put(key, b);
    // Colours: the slots, the palette and every system colour a slot or a
    // painter may refer to.
    for (int32_t v : {c.m_lColorBack, c.m_lColorActiveTab, c.m_lColorActiveText, c.m_lColorInactiveText,
                      c.m_lColorLight, c.m_lColorFrameOuter, c.m_lColorFrameInner, c.m_lColorFrameMiddle,
                      c.m_lColorGlyph, c.m_lColorButtonLight, c.m_lColorButtonDark, c.m_lColorSeparator})
        Put(key, v);
    Put(key, c.m_aTabColors);
    for (int n = 0; n <= 30; ++n) Put(key, user32::GetSysColor(n));
    // The face, whatever weight the pass gives each caption.
    const StdFont& f = *c.m_oFont;
    Put(key, f.Name().size());
    key += f.Name();
    Put(key, f.SizeTenThousandths());
    Put(key, f.Charset());
    for (bool b : {f.Italic(), f.Underline(), f.Strikethrough()}) Put(key, b);
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
