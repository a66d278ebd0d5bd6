// The strip's own list of page windows, kept in the user's order, and what
// works on it without drawing: moving, scrolling and hit testing.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi32.h"
#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

namespace modSystem {

BOOL EnumMDIChildProc(HWND hWnd, LPARAM control) {
    auto* tabs = reinterpret_cast<xsMDITabs*>(control);
    if (!tabs) return FALSE;
    char name[261] = {};
    GetClassNameA(hWnd, name, 261);
    if (name[0] != '\0' && std::strstr(name, "Form") != nullptr) tabs->AddFoundWindow(hWnd);
    return TRUE;
}

std::u16string GetTabCaption(HWND hWnd) {
    LRESULT n = DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0);
    if (n > 10) n = 10;
    if (n <= 0) return {};
    std::u16string s(static_cast<size_t>(n) + 1, u'\0');
    DefWindowProcW(hWnd, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

}  // namespace modSystem

std::string xsMDITabs::KeyOf(HWND hWnd) { return std::to_string(static_cast<int32_t>(hWnd)) + "H"; }

bool xsMDITabs::KeyExists(const KeyedList<HWND>& list, const std::string& key) { return list.Contains(key); }
bool xsMDITabs::KeyExists(const KeyedList<int32_t>& list, const std::string& key) { return list.Contains(key); }

void xsMDITabs::AddFoundWindow(HWND hWnd) { m_colFound.Add(KeyOf(hWnd), hWnd); }

void xsMDITabs::RefreshTabList() {
    m_colFound.Clear();
    EnumChildWindows(m_hWndClient, &modSystem::EnumMDIChildProc, reinterpret_cast<LPARAM>(this));
    // Every pass runs this: the keys are looked up in sorted views rather
    // than by walking the lists once per window.
    auto sortedKeys = [](auto& list) {
        std::vector<std::string_view> keys;
        keys.reserve(list.Count());
        for (size_t i = 1; i <= list.Count(); ++i) keys.emplace_back(list.Key(i));
        std::sort(keys.begin(), keys.end());
        return keys;
    };
    {
        const std::vector<std::string_view> tabKeys = sortedKeys(m_colTabs);
        std::vector<size_t> added;
        for (size_t i = 1; i <= m_colFound.Count(); ++i)
            if (!std::binary_search(tabKeys.begin(), tabKeys.end(), std::string_view(m_colFound.Key(i))))
                added.push_back(i);
        // Only now is the tab list changed, which may move the keys viewed above.
        for (size_t i : added) {
            const std::string& key = m_colFound.Key(i);
            m_colTabs.Add(key, m_colFound.Item(i));
            if (++m_lLastColor > 8) m_lLastColor = 1;
            m_colTabColor.Add(key, m_lLastColor);
        }
    }
    const std::vector<std::string_view> foundKeys = sortedKeys(m_colFound);
    for (size_t i = m_colTabs.Count(); i >= 1; --i) {
        if (!std::binary_search(foundKeys.begin(), foundKeys.end(), std::string_view(m_colTabs.Key(i)))) {
            m_colTabs.Remove(i);
            m_colTabColor.Remove(i);
        }
    }
}

std::shared_ptr<oleaut::Picture> xsMDITabs::GetTabIcon(HWND hWnd) {
    if (m_oStripDC) {
        HICON h = static_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
        if (h) {
            // The window keeps its own icon: the picture wraps a copy.
            HICON copy = static_cast<HICON>(gdi32::CopyImage(h, gdi32::IMAGE_ICON, 0, 0, 0));
            if (copy) {
                if (auto p = m_oStripDC->IconToPicture(copy)) return p;
            }
        }
        h = static_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0));
        if (h) {
            HICON small = static_cast<HICON>(
                gdi32::CopyImage(h, gdi32::IMAGE_ICON, 16, 16, gdi32::LR_COPYFROMRESOURCE));
            if (small) {
                if (auto p = m_oStripDC->IconToPicture(small)) return p;
            }
        }
    }
    return picDefault;
}

void xsMDITabs::MoveTab(int32_t from, int32_t to) {
    const int32_t n = static_cast<int32_t>(m_colTabs.Count());
    if (from == to || from < 1 || to < 1 || from > n || to > n) return;
    KeyedList<HWND> tabs;
    KeyedList<int32_t> colors;
    auto add = [&](int32_t i) {
        tabs.Add(m_colTabs.Key(i), m_colTabs.Item(i));
        colors.Add(m_colTabColor.Key(i), m_colTabColor.Item(i));
    };
    auto addMoved = [&] {
        add(from);
        m_lDragTab = static_cast<int32_t>(tabs.Count());
    };
    if (to < from) {
        for (int32_t i = 1; i <= to - 1; ++i) add(i);
        addMoved();
        for (int32_t i = to; i <= n; ++i)
            if (i != from) add(i);
    } else {
        for (int32_t i = 1; i <= to; ++i)
            if (i != from) add(i);
        addMoved();
        for (int32_t i = to + 1; i <= n; ++i) add(i);
    }
    m_colTabs = std::move(tabs);
    m_colTabColor = std::move(colors);
    DrawTabs(m_hWndClient);
    m_bDragWait = true;
    GetCursorPos(&m_ptDragStart);
}

bool xsMDITabs::CanScrollLeft() const { return m_lScrollX > 0; }

bool xsMDITabs::CanScrollRight() const {
    const size_t n = m_colTabs.Count();
    if (n == 0 || m_aTabRect.size() <= n) return false;
    return m_aTabRect[n].right - m_lScrollX + 1 > m_rcScrollLeft.left;
}

void xsMDITabs::ScrollLeft() {
    m_lScrollX -= 33;
    if (m_lScrollX < 0) m_lScrollX = 0;
    DrawTabs(m_hWndClient);
}

void xsMDITabs::ScrollRight() {
    m_lScrollX += 33;
    ClampScroll();
    if (m_lScrollX < 0) m_lScrollX = 0;
    DrawTabs(m_hWndClient);
}

void xsMDITabs::ClampScroll() {
    const size_t n = m_colTabs.Count();
    if (n == 0 || m_aTabRect.size() <= n) return;
    RECT wr{};
    GetWindowRect(m_hWndClient, &wr);
    const int32_t limit = (wr.right - wr.left) - 49;
    const int32_t last = m_aTabRect[n].right;
    if (last < limit) m_lScrollX = 0;
    else if (last > limit && last - m_lScrollX < limit) m_lScrollX = last - limit;
}

POINT xsMDITabs::CursorInClient() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(m_hWndClient, &p);
    return p;
}

std::pair<int32_t, int32_t> xsMDITabs::HitTest() const {
    const POINT c = CursorInClient();
    int32_t px = c.x + 2;
    const int32_t py = c.y + m_lStripHeight;
    auto inside = [&](const RECT& r, int32_t x) {
        return r.left <= x && x <= r.right && r.top <= py && py <= r.bottom;
    };
    if (inside(m_rcClose, px)) return {3, -1};
    if (inside(m_rcScrollRight, px)) return {CanScrollRight() ? 2 : 0, -1};
    if (inside(m_rcScrollLeft, px)) return {CanScrollLeft() ? 1 : 0, -1};
    px += m_lScrollX;
    const size_t n = std::min(m_colTabs.Count(), m_aTabRect.empty() ? 0 : m_aTabRect.size() - 1);
    for (size_t i = 1; i <= n; ++i)
        if (inside(m_aTabRect[i], px)) return {0, static_cast<int32_t>(i)};
    return {0, 0};
}
