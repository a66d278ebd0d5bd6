#include "shell/frmWebBrowser.h"

#include <stdexcept>

#include "platform/user32.h"
#include "shell/frmMain.h"

using namespace user32;

void frmWebBrowser::EnsureClass() {
    static bool done = [] {
        WNDCLASSA wc;
        wc.lpszClassName = kClassName;
        wc.lpfnWndProc = MakeWndProc(&frmWebBrowser::WndProc);
        RegisterClassA(wc);
        return true;
    }();
    (void)done;
}

frmWebBrowser::frmWebBrowser(frmMain& main) : main_(main) {
    EnsureClass();
    MDICREATESTRUCTA cs;
    cs.szClass = kClassName;
    cs.szTitle = kLoadingCaption;
    cs.cx = 312;  // design client size 4680 × 3075 twips
    cs.cy = 205;
    cs.lParam = reinterpret_cast<LPARAM>(this);
    // The window is made, shown and activated here; its browser control is
    // made while it is created, so activation already finds it.
    const LRESULT h = SendMessageA(main.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs));
    if (h && !WebBrowser1) DestroyWindow(static_cast<HWND>(h));
    if (!h || !WebBrowser1) throw std::runtime_error("无法打开新的网页窗口");
    hwnd_ = static_cast<HWND>(h);
}

frmWebBrowser::~frmWebBrowser() {
    if (WebBrowser1) {
        WebBrowser1->BeforeNavigate2 = nullptr;
        WebBrowser1->NewWindow2 = nullptr;
        WebBrowser1->StatusTextChange = nullptr;
        WebBrowser1->TitleChange = nullptr;
    }
    if (IsWindow(hwnd_)) {
        SetWindowLongA(hwnd_, GWL_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

std::string frmWebBrowser::Caption() const { return GetWindowTextA(hwnd_); }

void frmWebBrowser::Maximize() { ShowWindow(hwnd_, SW_MAXIMIZE); }

void frmWebBrowser::OnCreate(HWND h) {
    hwnd_ = h;
    WebBrowser1 = gtkui::WebBrowser::Create(h);
    if (!WebBrowser1) return;
    WebBrowser1->BeforeNavigate2 = [this](const std::string& u) { WebBrowser1_BeforeNavigate2(u); };
    WebBrowser1->NewWindow2 = [this](std::shared_ptr<gtkui::WebBrowser>& pp, bool& cancel) {
        WebBrowser1_NewWindow2(pp, cancel);
    };
    WebBrowser1->StatusTextChange = [this](const std::string& t) { WebBrowser1_StatusTextChange(t); };
    WebBrowser1->TitleChange = [this](const std::string& t) { WebBrowser1_TitleChange(t); };
}

LRESULT frmWebBrowser::WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_CREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(l);
        auto* self = reinterpret_cast<frmWebBrowser*>(cs->lpCreateParams);
        SetWindowLongA(h, GWL_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->OnCreate(h);
        return 0;
    }
    auto* self = reinterpret_cast<frmWebBrowser*>(GetWindowLongA(h, GWL_USERDATA));
    switch (m) {
        case WM_MDIACTIVATE:
            if (self && static_cast<HWND>(l) == h) self->Form_Activate();
            break;
        case WM_SIZE:
            if (self) {
                const LRESULT r = DefWindowProcA(h, m, w, l);
                self->Form_Resize();
                return r;
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT r = DefWindowProcA(h, m, w, l);
            if (self) self->main_.PageClosed(h);  // the frame lets the page go
            return r;
        }
        default: break;
    }
    return DefWindowProcA(h, m, w, l);
}

bool frmWebBrowser::IsActive() const { return main_.ActiveHwnd == hwnd_; }

void frmWebBrowser::Form_Activate() {
    main_.ActiveHwnd = hwnd_;
    if (!main_.isEditUrl) main_.SetText1(m_URL);
    main_.ActiveWeb = WebBrowser1;
}

void frmWebBrowser::Form_Resize() {
    if (!WebBrowser1 || !IsWindow(WebBrowser1->hWnd())) return;
    RECT cr;
    GetClientRect(hwnd_, &cr);
    MoveWindow(WebBrowser1->hWnd(), 0, 0, cr.right, cr.bottom, TRUE);
}

void frmWebBrowser::WebBrowser1_BeforeNavigate2(const std::string& URL) {
    m_URL = URL;
    if (IsActive() && !main_.isEditUrl) main_.SetText1(m_URL);
}

void frmWebBrowser::WebBrowser1_NewWindow2(std::shared_ptr<gtkui::WebBrowser>& ppDisp, bool& Cancel) {
    const gint64 now = g_get_monotonic_time();
    while (!recentPopups_.empty() && now - recentPopups_.front() > kStormSeconds * G_USEC_PER_SEC)
        recentPopups_.pop_front();
    if (recentPopups_.size() >= static_cast<size_t>(kStormLimit) ||
        main_.PageHandles().size() >= kMaxPages) {
        Cancel = true;
        if (IsActive()) main_.SetStatusBar1SimpleText("已阻止这个网页继续打开新窗口");
        return;
    }
    recentPopups_.push_back(now);
    try {
        frmWebBrowser& page = main_.NewPage("about:blank");
        ppDisp = page.WebBrowser1->Application();
    } catch (const std::exception&) {
        Cancel = true;  // the request is dropped; the opener goes on
    }
}

void frmWebBrowser::WebBrowser1_StatusTextChange(const std::string& Text) {
    if (IsActive()) main_.SetStatusBar1SimpleText(Text);
}

void frmWebBrowser::WebBrowser1_TitleChange(const std::string& Text) {
    SetWindowTextA(hwnd_, Text);
    m_URL = WebBrowser1->LocationURL();
    if (IsActive() && !main_.isEditUrl) main_.SetText1(m_URL);
}
