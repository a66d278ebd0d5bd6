// Window records: classes, creation, destruction, window longs, text,
// enumeration and message sending.
#include <glib.h>

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace user32 {
namespace detail {

namespace {
struct Registry {
    std::unordered_map<HWND, WindowPtr> windows;
    std::vector<HWND> topLevel;  // top of the z-order first
    std::unordered_map<std::string, std::shared_ptr<const WindowClass>> classes;
    HWND nextHandle = 0x00010010;
    WNDPROC defaultProc = 0;
    WNDPROC mdiClientProc = 0;
};
Registry& Reg() {
    static Registry r;
    return r;
}
}  // namespace

WindowPtr Find(HWND h) {
    if (h == 0) return nullptr;
    auto& r = Reg();
    auto it = r.windows.find(h);
    if (it == r.windows.end() || !it->second->alive) return nullptr;
    return it->second;
}

void EnsureBuiltinClasses() {
    auto& r = Reg();
    if (r.defaultProc) return;
    r.defaultProc = MakeWndProc(&DefWindowProcA);
    r.mdiClientProc = MakeWndProc(&DefMDIClientProc);
    auto mdi = std::make_shared<WindowClass>();
    mdi->name = "MDIClient";
    mdi->proc = r.mdiClientProc;
    mdi->backgroundSysColor = COLOR_APPWORKSPACE;
    r.classes.emplace(mdi->name, mdi);
}

std::shared_ptr<const WindowClass> FindClass(const std::string& name) {
    EnsureBuiltinClasses();
    auto& r = Reg();
    auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second;
}

POINT WindowOriginOnScreen(const Window& w) {
    POINT p{w.rect.left, w.rect.top};
    HWND parent = w.parent;
    while (auto pw = Find(parent)) {
        p.x += pw->rect.left + pw->client.left;
        p.y += pw->rect.top + pw->client.top;
        parent = pw->parent;
    }
    return p;
}

void ResizeSurface(Window& w) { w.surface->Resize(w.rect.Width(), w.rect.Height()); }

std::u16string Utf8ToUtf16(const std::string& s) {
    glong n = 0;
    gunichar2* u = g_utf8_to_utf16(s.c_str(), static_cast<glong>(s.size()), nullptr, &n, nullptr);
    if (!u) return {};
    std::u16string out(reinterpret_cast<char16_t*>(u), static_cast<size_t>(n));
    g_free(u);
    return out;
}

std::string Utf16ToUtf8(const std::u16string& s) {
    glong n = 0;
    gchar* u = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(s.data()),
                               static_cast<glong>(s.size()), nullptr, &n, nullptr);
    if (!u) return {};
    std::string out(u, static_cast<size_t>(n));
    g_free(u);
    return out;
}

std::vector<HWND>& SiblingList(HWND parent) {
    static std::vector<HWND> orphans;  // only reached for a parent that is gone
    if (parent == 0) return Reg().topLevel;
    auto it = Reg().windows.find(parent);
    if (it == Reg().windows.end()) {
        orphans.clear();
        return orphans;
    }
    return it->second->children;
}

}  // namespace detail

using namespace detail;

bool RegisterClassA(const WNDCLASSA& wc) {
    EnsureBuiltinClasses();
    if (!wc.lpszClassName || !*wc.lpszClassName) return false;
    auto& r = Reg();
    if (r.classes.count(wc.lpszClassName)) return false;
    auto c = std::make_shared<WindowClass>();
    c->name = wc.lpszClassName;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc ? wc.lpfnWndProc : r.defaultProc;
    c->backgroundSysColor = wc.backgroundSysColor;
    r.classes.emplace(c->name, c);
    return true;
}

bool UnregisterClassA(const char* name) {
    if (!name || std::strcmp(name, "MDIClient") == 0) return false;
    return Reg().classes.erase(name) > 0;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                     int x, int y, int cx, int cy, HWND parent, LONG_PTR createParam) {
    auto cls = FindClass(className ? className : "");
    if (!cls) return 0;
    if (parent != 0 && !Find(parent)) return 0;
    auto& r = Reg();
    auto w = std::make_shared<Window>();
    w->handle = r.nextHandle++;
    w->cls = cls;
    w->text = Utf8ToUtf16(windowName ? windowName : "");
    w->style = style;
    w->exStyle = exStyle;
    w->parent = parent;
    w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
    w->client = RECT{0, 0, w->rect.Width(), w->rect.Height()};
    w->proc = cls->proc;
    r.windows.emplace(w->handle, w);
    SiblingList(parent).insert(SiblingList(parent).begin(), w->handle);
    ResizeSurface(*w);
    const HWND h = w->handle;
    Backend().WindowCreated(h);

    RecalcClientNoParams(h);
    CREATESTRUCTA cs;
    cs.lpCreateParams = createParam;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    if (SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return 0;
    }
    if (!Find(h)) return 0;
    if (style & WS_VISIBLE) Backend().WindowShown(h, true);
    InvalidateRect(h, nullptr, TRUE);
    RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE);
    return h;
}

BOOL DestroyWindow(HWND h) {
    auto w = Find(h);
    if (!w || w->destroying) return FALSE;
    w->destroying = true;
    if (w->parent && (w->style & WS_CHILD))
        SendMessageA(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 0), static_cast<LPARAM>(h));
    if (w->style & WS_VISIBLE) {
        w->style &= ~WS_VISIBLE;
        Backend().WindowShown(h, false);
    }
    SendMessageA(h, WM_DESTROY, 0, 0);
    // Children go after the parent's WM_DESTROY and before its WM_NCDESTROY.
    for (;;) {
        auto it = std::find_if(w->children.begin(), w->children.end(),
                               [](HWND c) { auto cw = Find(c); return cw && !cw->destroying; });
        if (it == w->children.end()) break;
        DestroyWindow(*it);
    }
    ForgetWindowInput(h);
    SendMessageA(h, WM_NCDESTROY, 0, 0);
    Backend().WindowDestroyed(h);
    w->alive = false;
    auto& sib = SiblingList(w->parent);
    // The parent may have died meanwhile only if it is being destroyed, in
    // which case its list still exists (its record lives until it finishes).
    sib.erase(std::remove(sib.begin(), sib.end(), h), sib.end());
    Reg().windows.erase(h);
    return TRUE;
}

BOOL IsWindow(HWND h) { return Find(h) ? TRUE : FALSE; }

HWND GetParent(HWND h) {
    auto w = Find(h);
    return w ? w->parent : 0;
}

std::vector<HWND> GetChildren(HWND h) {
    auto w = Find(h);
    return w ? w->children : std::vector<HWND>{};
}

std::vector<HWND> GetTopLevelWindows() { return Reg().topLevel; }

int GetClassNameA(HWND h, char* buffer, int maxCount) {
    auto w = Find(h);
    if (!w || !buffer || maxCount <= 0) return 0;
    const std::string& name = w->cls->name;
    const int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
    std::memcpy(buffer, name.data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

std::string GetClassName(HWND h) {
    auto w = Find(h);
    return w ? w->cls->name : std::string{};
}

HWND FindWindowExA(HWND parent, HWND childAfter, const char* className, const char* windowName) {
    const std::vector<HWND> list = parent ? GetChildren(parent) : GetTopLevelWindows();
    auto it = list.begin();
    if (childAfter) {
        it = std::find(list.begin(), list.end(), childAfter);
        if (it == list.end()) return 0;
        ++it;
    }
    for (; it != list.end(); ++it) {
        auto w = Find(*it);
        if (!w) continue;
        if (className && w->cls->name != className) continue;
        if (windowName && Utf16ToUtf8(w->text) != windowName) continue;
        return *it;
    }
    return 0;
}

namespace {
bool EnumDescendants(HWND parent, const std::function<BOOL(HWND)>& proc) {
    // A snapshot, so that windows made or destroyed by the callback do not
    // upset the walk; windows that died meanwhile are skipped.
    const std::vector<HWND> kids = GetChildren(parent);
    for (HWND c : kids) {
        if (!Find(c)) continue;
        if (!proc(c)) return false;
        if (!EnumDescendants(c, proc)) return false;
    }
    return true;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, const std::function<BOOL(HWND)>& proc) {
    if (!Find(parent) || !proc) return FALSE;
    EnumDescendants(parent, proc);
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    return EnumChildWindows(parent, [&](HWND h) { return proc(h, lParam); });
}

LONG_PTR GetWindowLongA(HWND h, int index) {
    auto w = Find(h);
    if (!w) return 0;
    switch (index) {
        case GWL_WNDPROC: return w->proc;
        case GWL_STYLE: return static_cast<LONG>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
        case GWL_USERDATA: return w->userData;
        case GWL_ID: return w->id;
        case GWL_HWNDPARENT: return w->parent;
        default: return 0;
    }
}

LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value) {
    auto w = Find(h);
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWL_WNDPROC:
            old = w->proc;
            w->proc = value;
            break;
        case GWL_STYLE:
            old = static_cast<LONG>(w->style);
            w->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            old = static_cast<LONG>(w->exStyle);
            w->exStyle = static_cast<DWORD>(value);
            break;
        case GWL_USERDATA:
            old = w->userData;
            w->userData = value;
            break;
        case GWL_ID:
            old = w->id;
            w->id = value;
            break;
        default: return 0;
    }
    return old;
}

LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto w = Find(h);
    if (!w) return 0;
    return CallWindowProcA(w->proc, h, msg, wParam, lParam);
}

namespace {
struct Posted {
    HWND h;
    UINT msg;
    WPARAM w;
    LPARAM l;
};
}  // namespace

BOOL PostMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Find(h)) return FALSE;
    auto* p = new Posted{h, msg, wParam, lParam};
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            auto* m = static_cast<Posted*>(data);
            SendMessageA(m->h, m->msg, m->w, m->l);
            return G_SOURCE_REMOVE;
        },
        p, [](gpointer data) { delete static_cast<Posted*>(data); });
    return TRUE;
}

BOOL SetWindowTextW(HWND h, const std::u16string& text) {
    if (!Find(h)) return FALSE;
    return SendMessageA(h, WM_SETTEXT, 1, reinterpret_cast<LPARAM>(text.c_str())) ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND h, const std::string& utf8) { return SetWindowTextW(h, Utf8ToUtf16(utf8)); }

std::u16string GetWindowTextW(HWND h) {
    const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
    if (n <= 0) return {};
    std::u16string buf(static_cast<size_t>(n) + 1, u'\0');
    const LRESULT got = SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                                     reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min(got, n))));
    return buf;
}

std::string GetWindowTextA(HWND h) { return Utf16ToUtf8(GetWindowTextW(h)); }

size_t LiveWindowCount() { return Reg().windows.size(); }

}  // namespace user32
