// The MDI tab strip control: attaches to the frame's MDI client window,
// reserves a band above the page windows and draws one tab per page window
// in it, with scroll and close buttons, in one of five styles.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gfx/CMemoryDC.h"
#include "gfx/StdFont.h"
#include "platform/control_host.h"
#include "tabstrip/keyed_list.h"
#include "winsvc/CEasySubclass_v1.h"
#include "winsvc/CTimer.h"
#include "winsvc/ISubclassingSink.h"

class xsMDITabs : public ISubclassingSink, public std::enable_shared_from_this<xsMDITabs> {
public:
    static std::shared_ptr<xsMDITabs> Create(host::ControlHost host);
    ~xsMDITabs() override;
    xsMDITabs(const xsMDITabs&) = delete;
    xsMDITabs& operator=(const xsMDITabs&) = delete;

    // ---- Properties ----
    int32_t Style() const { return m_lStyle; }
    void Style(int32_t Value);
    std::shared_ptr<StdFont> Font() const { return m_oFont; }
    void Font(const std::shared_ptr<StdFont>& Value);
    bool ShowFocusRect() const { return m_bShowFocusRect; }
    void ShowFocusRect(bool Value);
    bool DrawIcons() const { return m_bDrawIcons; }
    void DrawIcons(bool Value);
    static const char* Description(const std::string& property);

    // Shows the About dialog, modeless (the host supplies it).
    void About();
    std::function<void()> aboutHandler;

    // ---- Events ----
    std::function<void(int16_t& Button, int32_t& x, int32_t& y)> TabBarClick;
    std::function<void(HWND& TabHwnd, int16_t& Button, int32_t& x, int32_t& y)> TabClick;
    std::function<void(int32_t& NewColor)> ColorChanged;

    // ---- Host-side life ----
    void ReadProperties(const host::PropertyBag& bag);
    void WriteProperties(host::PropertyBag& bag) const;
    void UserControl_Resize(int32_t& width, int32_t& height) const;
    // Takes both subclasses out and gives the client edge back; the frame
    // calls it when it closes (destruction does it too).
    void Terminate();

    // ---- Operations of the strip ----
    void DrawTabs(HWND hWnd);
    void SetStyleColors();
    void RefreshTabList();
    void AddFoundWindow(HWND hWnd);
    static bool KeyExists(const KeyedList<HWND>& list, const std::string& key);
    static bool KeyExists(const KeyedList<int32_t>& list, const std::string& key);
    static std::string KeyOf(HWND hWnd);
    std::shared_ptr<oleaut::Picture> GetTabIcon(HWND hWnd);
    void MoveTab(int32_t from, int32_t to);
    bool CanScrollLeft() const;
    bool CanScrollRight() const;
    void ScrollLeft();
    void ScrollRight();
    void ClampScroll();
    // Zone 0..3 and tab index (0 none, -1 a button) under the cursor.
    std::pair<int32_t, int32_t> HitTest() const;

    // Raise an event to its handler and to the host. ColorChanged passes the
    // colour itself, so that the paint pass can hand over the slot or the
    // palette entry it reports.
    void RaiseColorChanged(int32_t& NewColor);
    void RaiseTabClick(HWND TabHwnd, int16_t Button, int32_t x, int32_t y);
    void RaiseTabBarClick(int16_t Button, int32_t x, int32_t y);

    // ISubclassingSink
    void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                LPARAM& lParam) override;

    // ---- State (read by the painters and the tests) ----
    int32_t m_lStyle = 0;
    std::shared_ptr<StdFont> m_oFont;
    bool m_bShowFocusRect = false;
    bool m_bDrawIcons = true;

    HWND m_hWndClient = 0;
    std::unique_ptr<CEasySubclass_v1> m_oClientSubclass;
    std::unique_ptr<CEasySubclass_v1> m_oFrameSubclass;
    bool m_bFrameActive = false;
    int32_t m_lStripHeight = 25;

    std::unique_ptr<CMemoryDC> m_oStripDC;
    std::unique_ptr<CMemoryDC> m_oTabDC;
    std::u16string m_sCaption;
    std::shared_ptr<CTimer> m_oTimer;

    KeyedList<HWND> m_colTabs;
    KeyedList<int32_t> m_colTabColor;
    KeyedList<HWND> m_colFound;
    int32_t m_lLastColor = 0;
    std::array<int32_t, 8> m_aTabColors{};

    std::vector<RECT> m_aTabRect;  // index 0 unused: tabs are 1..n
    RECT m_rcClose{}, m_rcScrollRight{}, m_rcScrollLeft{};
    int32_t m_lButtonsWidth = 0;
    int32_t m_lScrollX = 0;
    HWND m_hWndLastActive = 0;

    int32_t m_lHotButton = 0;
    int32_t m_lPressedButton = 0;
    int32_t m_lDragTab = 0;
    bool m_bDragWait = false;
    POINT m_ptDragStart{};

    int32_t m_lColorBack = 0, m_lColorActiveTab = 0, m_lColorActiveText = 0,
            m_lColorInactiveText = 0, m_lColorLight = 0, m_lColorFrameOuter = 0,
            m_lColorFrameInner = 0, m_lColorFrameMiddle = 0, m_lColorGlyph = 0,
            m_lColorButtonLight = 0, m_lColorButtonDark = 0, m_lColorSeparator = 0;

    // The row the tab surface holds: its key, and the rectangles and last
    // caption the pass that drew it left behind.
    struct TabRowMemo {
        std::string key;
        std::vector<RECT> rects;
        std::u16string caption;
    } m_tabRowMemo;
    // The frame lines' key as the last pass left the client window: while
    // nothing else draws on it, the lines are still there.
    std::string m_frameMemo;

    // Caption sizes measured by the paint pass, by font description and text.
    std::unordered_map<std::string, std::pair<int32_t, int32_t>> m_captionSizes;

    // The default tab icon, a 15 × 13 document glyph.
    std::shared_ptr<oleaut::Picture> picDefault;
    const host::ControlHost& Host() const { return host_; }

private:
    explicit xsMDITabs(host::ControlHost host);
    void Attach();
    void m_oTimer_Timer();
    // ColorChanged after a click on tab t, with the colour of the tab color rule.
    void RaiseTabColor(int32_t t);
    void ActivateTab(HWND hWnd);
    POINT CursorInClient() const;

    host::ControlHost host_;
    std::shared_ptr<StdFont> ownFont_;
};

// The process-wide helpers of the strip.
namespace modSystem {
BOOL EnumMDIChildProc(HWND hWnd, LPARAM control);
std::u16string GetTabCaption(HWND hWnd);
}  // namespace modSystem
