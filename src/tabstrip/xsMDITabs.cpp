#include "tabstrip/xsMDITabs.h"

#include "platform/gdi/gdi32.h"
#include "platform/user32.h"
#include "tabstrip/painters/painters.h"

using namespace user32;

namespace {
constexpr std::array<int32_t, 8> kPalette = {0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0,
                                             0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8};

std::shared_ptr<StdFont> ControlFont() {
    auto f = std::make_shared<StdFont>();
    f->Name("Tahoma");
    f->Size(8.25);
    f->Weight(400);
    f->Charset(0);
    return f;
}

// A small document: a white sheet with a dark heading line and grey text
// lines, framed light at the top and left and dark at the right and bottom.
std::shared_ptr<oleaut::Picture> MakeDefaultGlyph() {
    constexpr int w = 15, h = 13;
    std::vector<uint32_t> px(w * h, 0xF0F0F0);
    for (int y = 0; y < h; ++y)
        for (int x = 2; x < 13; ++x) px[y * w + x] = 0xFFFFFF;
    for (int x = 2; x < 13; ++x) {
        px[0 * w + x] = 0xE8E8E8;       // light top
        px[(h - 1) * w + x] = 0x606060;  // dark bottom
    }
    for (int y = 0; y < h; ++y) {
        px[y * w + 2] = 0xE8E8E8;   // light left
        px[y * w + 12] = 0x606060;  // dark right
    }
    for (int x = 4; x < 11; ++x) px[2 * w + x] = 0x203060;  // heading
    for (int row : {5, 7, 9})
        for (int x = 4; x < (row == 9 ? 8 : 11); ++x) px[row * w + x] = 0xA0A0A0;
    oleaut::PICTDESC d;
    d.picType = oleaut::PICTYPE_BITMAP;
    d.handle = gdi32::CreateBitmapFromPixels(w, h, px.data());
    return oleaut::OleCreatePictureIndirect(&d, true);
}
}  // namespace

std::shared_ptr<xsMDITabs> xsMDITabs::Create(host::ControlHost host) {
    return std::shared_ptr<xsMDITabs>(new xsMDITabs(std::move(host)));
}

xsMDITabs::xsMDITabs(host::ControlHost host) : host_(std::move(host)) {
    // The control's own font is the default of Font whatever the host's font is.
    ownFont_ = ControlFont();
    picDefault = MakeDefaultGlyph();
    m_lStripHeight = 25;
    m_bDrawIcons = true;
    m_aTabColors = kPalette;
    SetStyleColors();
}

xsMDITabs::~xsMDITabs() { Terminate(); }

const char* xsMDITabs::Description(const std::string& p) {
    if (p == "Style") return "Returns/sets a value to determine the style used to draw the tabs.";
    if (p == "Font") return "Returns/sets the Font used to display text on the button.";
    if (p == "ShowFocusRect") return "Returns/Sets a value to show Focusrect when the button has focus";
    if (p == "DrawIcons") return "Returns/Sets a value to determine whether to draw icons on each tab.";
    if (p == "About") return "Displays information about the control and its author.";
    return "";
}

void xsMDITabs::Style(int32_t Value) {
    if (Value != m_lStyle) {
        m_lStyle = Value;
        SetStyleColors();
        DrawTabs(m_hWndClient);
    }
    host_.PropertyChanged("Style");
}

void xsMDITabs::Font(const std::shared_ptr<StdFont>& Value) {
    if (Value && (!m_oFont || Value->Name() != m_oFont->Name())) {
        m_oFont = Value;  // shared, not copied
        DrawTabs(m_hWndClient);
    }
    host_.PropertyChanged("Font");
}

void xsMDITabs::ShowFocusRect(bool Value) {
    if (Value != m_bShowFocusRect) {
        m_bShowFocusRect = Value;
        DrawTabs(m_hWndClient);
    }
    host_.PropertyChanged("ShowFocusRect");
}

void xsMDITabs::DrawIcons(bool Value) {
    if (Value != m_bDrawIcons) {
        m_bDrawIcons = Value;
        DrawTabs(m_hWndClient);
    }
    host_.PropertyChanged("DrawIcons");
}

void xsMDITabs::About() {
    if (aboutHandler) aboutHandler();
}

void xsMDITabs::ReadProperties(const host::PropertyBag& bag) {
    m_lStyle = std::get<int32_t>(bag.ReadProperty("Style", int32_t{4}));
    m_oFont = std::get<std::shared_ptr<StdFont>>(bag.ReadProperty("Font", ownFont_));
    if (!m_oFont) m_oFont = ownFont_;  // the painters always need a font
    m_bShowFocusRect = std::get<bool>(bag.ReadProperty("ShowFocusRect", false));
    m_bDrawIcons = std::get<bool>(bag.ReadProperty("DrawIcons", true));
    if (host_.userMode) Attach();
    SetStyleColors();
}

void xsMDITabs::WriteProperties(host::PropertyBag& bag) const {
    bag.WriteProperty("Style", m_lStyle, int32_t{4});
    bag.WriteProperty("Font", m_oFont, ownFont_);
    bag.WriteProperty("ShowFocusRect", m_bShowFocusRect, false);
    bag.WriteProperty("DrawIcons", m_bDrawIcons, true);
}

void xsMDITabs::UserControl_Resize(int32_t& width, int32_t& height) const {
    width = 32;  // pixels: 32 times the twips per pixel in the host's units
    height = 32;
}

void xsMDITabs::Attach() {
    m_oStripDC = std::make_unique<CMemoryDC>();
    m_oTabDC = std::make_unique<CMemoryDC>();
    m_oClientSubclass = std::make_unique<CEasySubclass_v1>();
    m_oFrameSubclass = std::make_unique<CEasySubclass_v1>();
    m_oTimer = CTimer::Create();
    m_oTimer->Interval(50);
    m_oTimer->Enabled(false);
    std::weak_ptr<xsMDITabs> weak = weak_from_this();
    m_oTimer->Timer = [weak] {
        if (auto self = weak.lock()) self->m_oTimer_Timer();
    };
    m_colTabs.Clear();
    m_colTabColor.Clear();

    m_hWndClient = FindWindowExA(host_.parent, 0, "MDIClient", nullptr);
    if (!m_hWndClient) return;
    SetWindowLongA(m_hWndClient, GWL_EXSTYLE,
                   GetWindowLongA(m_hWndClient, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowPos(m_hWndClient, 0, 0, 0, 0, 0, 0x227);
    // The strip is its own sink; the subclassers hold it weakly so that the
    // strip does not keep itself alive (Terminate takes them out).
    auto self = shared_from_this();
    m_oClientSubclass->Subclass(m_hWndClient, self, true, true);
    m_oClientSubclass->AddBeforeMsgs({WM_NCCALCSIZE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED});
    m_oClientSubclass->AddAfterMsgs({WM_MDIACTIVATE, WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                                     WM_LBUTTONUP, WM_RBUTTONUP, WM_SYSCOLORCHANGE});
    m_oFrameSubclass->Subclass(GetParent(m_hWndClient), self, true, true);
    m_oFrameSubclass->AddAfterMsgs({WM_NCPAINT, 0xAE, WM_GETICON});
    m_oFrameSubclass->AddBeforeMsgs({WM_ACTIVATE});
}

void xsMDITabs::Terminate() {
    if (!m_hWndClient) return;
    const HWND client = m_hWndClient;
    m_hWndClient = 0;
    if (m_oClientSubclass) m_oClientSubclass->UnSubclass();
    if (m_oFrameSubclass) m_oFrameSubclass->UnSubclass();
    m_oClientSubclass.reset();
    m_oFrameSubclass.reset();
    m_oStripDC.reset();
    m_oTabDC.reset();
    if (m_oTimer) {
        m_oTimer->Enabled(false);
        m_oTimer->Timer = nullptr;
    }
    m_oTimer.reset();
    if (IsWindow(client))
        SetWindowLongA(client, GWL_EXSTYLE, GetWindowLongA(client, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
}

void xsMDITabs::DrawTabs(HWND hWnd) {
    if (!m_hWndClient || !m_oStripDC) return;
    switch (m_lStyle) {
        case 0:
        case 1: painters::DrawTabsStyle01(*this, hWnd); break;
        case 2: painters::DrawTabsStyle2(*this, hWnd); break;
        case 3: painters::DrawTabsStyle3(*this, hWnd); break;
        case 4: painters::DrawTabsStyle4(*this, hWnd); break;
        default: break;
    }
}

void xsMDITabs::SetStyleColors() {
    if (!m_oStripDC) return;
    constexpr int32_t sys = static_cast<int32_t>(0x80000000);
    switch (m_lStyle) {
        case 0:
        case 1:
            m_lColorBack = m_oStripDC->ShiftColor(sys | 15, 18);
            m_lColorActiveTab = sys | 15;
            m_lColorActiveText = sys | 8;
            m_lColorInactiveText = m_oStripDC->AlphaBlend(sys | 8, sys | 16, 100);
            m_lColorLight = sys | 20;
            m_lColorFrameOuter = sys | 16;
            m_lColorFrameInner = sys | 16;
            m_lColorFrameMiddle = sys | 15;
            m_lColorGlyph = sys | 21;
            m_lColorButtonLight = sys | 22;
            m_lColorButtonDark = sys | 8;
            m_lColorSeparator = sys | 16;
            break;
        case 2:
            m_lColorBack = sys | 15;
            m_lColorActiveTab = sys | 15;
            m_lColorGlyph = sys | 8;
            m_lColorButtonLight = sys | 20;
            m_lColorButtonDark = sys | 16;
            m_lColorSeparator = sys | 16;
            break;
        case 3: m_lColorSeparator = sys | 16; break;
        default: break;
    }
}

void xsMDITabs::RaiseColorChanged(int32_t& NewColor) {
    if (ColorChanged) ColorChanged(NewColor);
    if (host_.raiseEvent) host_.raiseEvent("ColorChanged", {NewColor});
}

void xsMDITabs::RaiseTabClick(HWND TabHwnd, int16_t Button, int32_t x, int32_t y) {
    // Handlers get copies: what they change does not come back to the strip.
    if (TabClick) TabClick(TabHwnd, Button, x, y);
    if (host_.raiseEvent) host_.raiseEvent("TabClick", {static_cast<int64_t>(TabHwnd), Button, x, y});
}

void xsMDITabs::RaiseTabBarClick(int16_t Button, int32_t x, int32_t y) {
    if (TabBarClick) TabBarClick(Button, x, y);
    if (host_.raiseEvent) host_.raiseEvent("TabBarClick", {Button, x, y});
}
