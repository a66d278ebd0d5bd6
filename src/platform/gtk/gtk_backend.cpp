#include "platform/gtk/gtk_backend.h"

#include <algorithm>

#include "platform/user32.h"

namespace gtkui {

using namespace user32;

GtkWindowBackend& GtkWindowBackend::Instance() {
    static GtkWindowBackend b;
    return b;
}

void GtkWindowBackend::AttachFrame(HWND frame, GtkWindow* window) {
    frame_ = frame;
    frameWindow_ = window;
    g_signal_connect(window, "configure-event", G_CALLBACK(OnFrameConfigure), this);
    g_signal_connect(window, "notify::is-active", G_CALLBACK(OnFrameActive), this);
    g_signal_connect(window, "map-event", G_CALLBACK(OnFrameMap), this);
    SetCursorQuery([](POINT* pt) {
        GdkDisplay* d = gdk_display_get_default();
        if (!d) return false;
        GdkDevice* ptr = gdk_seat_get_pointer(gdk_display_get_default_seat(d));
        if (!ptr) return false;
        int x = 0, y = 0;
        gdk_device_get_position(ptr, nullptr, &x, &y);
        *pt = POINT{x, y};
        return true;
    });
    g_signal_connect_swapped(gtk_settings_get_default(), "notify::gtk-theme-name",
                             G_CALLBACK(+[](GtkWindowBackend* self) { self->ApplyThemeColors(); }),
                             this);
}

GtkWidget* GtkWindowBackend::CreateMdiArea(HWND client) {
    client_ = client;
    area_ = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(area_), TRUE);
    gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_POINTER_MOTION_MASK);
    // A layout: the pages placed on it never hold the frame at their size,
    // so the frame can get smaller and the pages follow the client window.
    pane_ = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(area_), pane_);
    gtk_widget_set_hexpand(area_, TRUE);
    gtk_widget_set_vexpand(area_, TRUE);
    gtk_widget_set_size_request(area_, 1, 1);
    g_signal_connect(pane_, "draw", G_CALLBACK(OnAreaDraw), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(OnPointer), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(OnPointer), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(OnPointer), this);
    g_signal_connect(area_, "size-allocate", G_CALLBACK(OnAreaAllocate), this);
    gtk_widget_show_all(area_);
    return area_;
}

void GtkWindowBackend::AttachWidget(HWND hwnd, GtkWidget* widget) {
    const HWND page = PageOf(hwnd);
    auto it = pages_.find(page);
    if (it == pages_.end()) return;
    DetachWidget(hwnd);
    widgets_[hwnd] = widget;
    gtk_fixed_put(GTK_FIXED(it->second.host), widget, 0, 0);
    gtk_widget_show(widget);
    PlaceWidget(hwnd);
}

void GtkWindowBackend::DetachWidget(HWND hwnd) {
    auto it = widgets_.find(hwnd);
    if (it == widgets_.end()) return;
    GtkWidget* w = it->second;
    widgets_.erase(it);
    if (GtkWidget* parent = gtk_widget_get_parent(w)) gtk_container_remove(GTK_CONTAINER(parent), w);
}

HWND GtkWindowBackend::PageOf(HWND hwnd) const {
    for (HWND h = hwnd; h; h = GetParent(h))
        if (GetParent(h) == client_ && client_) return h;
    return 0;
}

void GtkWindowBackend::WindowCreated(HWND h) {
    if (client_ && pane_ && GetParent(h) == client_) {
        Page p;
        p.host = gtk_fixed_new();
        gtk_layout_put(GTK_LAYOUT(pane_), p.host, 0, 0);
        pages_[h] = p;
        PlacePage(h);
        UpdatePageVisibility();
    }
}

void GtkWindowBackend::WindowDestroyed(HWND h) {
    DetachWidget(h);
    auto it = pages_.find(h);
    if (it != pages_.end()) {
        // Widgets of windows inside the page leave with it.
        for (auto w = widgets_.begin(); w != widgets_.end();) {
            if (gtk_widget_get_parent(w->second) == it->second.host) {
                gtk_container_remove(GTK_CONTAINER(it->second.host), w->second);
                w = widgets_.erase(w);
            } else {
                ++w;
            }
        }
        gtk_widget_destroy(it->second.host);
        pages_.erase(it);
        UpdatePageVisibility();
    }
    if (h == client_) {
        client_ = 0;
    }
    if (h == frame_) frame_ = 0;
}

void GtkWindowBackend::WindowMoved(HWND h) {
    if (h == client_) {
        for (auto& [page, _] : pages_) PlacePage(page);
        if (pane_) gtk_widget_queue_draw(pane_);
        return;
    }
    if (pages_.count(h)) {
        PlacePage(h);
        for (auto& [w, _] : widgets_)
            if (PageOf(w) == h) PlaceWidget(w);
        return;
    }
    if (widgets_.count(h)) PlaceWidget(h);
}

void GtkWindowBackend::WindowShown(HWND h, bool) {
    if (pages_.count(h)) UpdatePageVisibility();
    if (widgets_.count(h)) PlaceWidget(h);
}

void GtkWindowBackend::WindowRaised(HWND h) {
    if (pages_.count(h)) UpdatePageVisibility();
}

void GtkWindowBackend::SurfaceChanged(HWND h, const RECT&) {
    if (h == client_ && pane_) gtk_widget_queue_draw(pane_);
}

void GtkWindowBackend::CaptureChanged(HWND h) {
    if (h == client_ && client_ && area_ && !grabbedSeat_) {
        GdkWindow* win = gtk_widget_get_window(area_);
        GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(area_));
        if (win && gdk_seat_grab(seat, win, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr,
                                 nullptr, nullptr, nullptr) == GDK_GRAB_SUCCESS)
            grabbedSeat_ = seat;
    } else if (h != client_ && grabbedSeat_) {
        gdk_seat_ungrab(grabbedSeat_);
        grabbedSeat_ = nullptr;
    }
}

void GtkWindowBackend::TextChanged(HWND h) {
    // A page's new caption shows in the frame's title area, so the frame's
    // non-client area is painted again (the tab strip draws its labels then).
    if (pages_.count(h) && frame_) SendMessageA(frame_, WM_NCPAINT, 1, 0);
}

void GtkWindowBackend::PlacePage(HWND page) {
    auto it = pages_.find(page);
    if (it == pages_.end() || !pane_) return;
    RECT pr, cr;
    GetWindowRect(page, &pr);
    GetWindowRect(client_, &cr);
    const RECT inner = GetClientRectInWindow(client_);
    // Pages are clipped to the client area, as the platform clips children.
    const int x = pr.left - cr.left, y = pr.top - cr.top;
    const int r = std::min<int>(pr.right - cr.left, inner.right);
    const int b = std::min<int>(pr.bottom - cr.top, inner.bottom);
    gtk_layout_move(GTK_LAYOUT(pane_), it->second.host, x, y);
    gtk_widget_set_size_request(it->second.host, std::max(1, r - x), std::max(1, b - y));
}

void GtkWindowBackend::PlaceWidget(HWND hwnd) {
    auto it = widgets_.find(hwnd);
    const HWND page = PageOf(hwnd);
    auto pg = pages_.find(page);
    if (it == widgets_.end() || pg == pages_.end()) return;
    RECT wr, pr;
    GetWindowRect(hwnd, &wr);
    GetWindowRect(page, &pr);
    gtk_fixed_move(GTK_FIXED(pg->second.host), it->second, wr.left - pr.left, wr.top - pr.top);
    gtk_widget_set_size_request(it->second, std::max<int>(1, wr.right - wr.left),
                                std::max<int>(1, wr.bottom - wr.top));
    gtk_widget_set_visible(it->second, IsWindowVisible(hwnd));
}

void GtkWindowBackend::UpdatePageVisibility() {
    if (!client_) return;
    // Maximized pages cover each other: only the top one is shown.
    bool coveredByMaximized = false;
    for (HWND h : GetChildren(client_)) {
        auto it = pages_.find(h);
        if (it == pages_.end()) continue;
        const bool visible = IsWindowVisible(h) && !coveredByMaximized;
        gtk_widget_set_visible(it->second.host, visible);
        if (visible && IsZoomed(h)) coveredByMaximized = true;
    }
}

void GtkWindowBackend::SyncFrameRect() {
    if (!frame_ || !frameWindow_) return;
    GdkWindow* gw = gtk_widget_get_window(GTK_WIDGET(frameWindow_));
    if (!gw) return;
    int ox = 0, oy = 0;
    gdk_window_get_origin(gw, &ox, &oy);
    const int w = gtk_widget_get_allocated_width(GTK_WIDGET(frameWindow_));
    const int h = gtk_widget_get_allocated_height(GTK_WIDGET(frameWindow_));
    SetWindowPos(frame_, 0, ox, oy, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void GtkWindowBackend::SyncMdiClientRect() {
    if (!client_ || !area_ || !frameWindow_) return;
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(area_, GTK_WIDGET(frameWindow_), 0, 0, &x, &y);
    const int w = gtk_widget_get_allocated_width(area_);
    const int h = gtk_widget_get_allocated_height(area_);
    RECT r;
    GetWindowRect(client_, &r);
    RECT fr;
    GetWindowRect(frame_, &fr);
    if (r.left - fr.left == x && r.top - fr.top == y && r.right - r.left == w && r.bottom - r.top == h)
        return;
    SetWindowPos(client_, 0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

gboolean GtkWindowBackend::OnAreaDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* self = static_cast<GtkWindowBackend*>(data);
    auto s = GetWindowSurface(self->client_);
    if (!s || s->width <= 0 || s->height <= 0) return FALSE;
    cairo_surface_t* img = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(s->pixels.data()), CAIRO_FORMAT_RGB24, s->width, s->height,
        s->width * 4);
    cairo_set_source_surface(cr, img, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(img);
    return FALSE;  // the pages are drawn on top
}

gboolean GtkWindowBackend::OnPointer(GtkWidget*, GdkEvent* ev, gpointer data) {
    auto* self = static_cast<GtkWindowBackend*>(data);
    if (!self->client_) return FALSE;
    UINT msg = 0;
    WPARAM keys = 0;
    double rx = 0, ry = 0;
    gdk_event_get_root_coords(ev, &rx, &ry);
    switch (ev->type) {
        case GDK_MOTION_NOTIFY: msg = WM_MOUSEMOVE; break;
        case GDK_BUTTON_PRESS:
        case GDK_BUTTON_RELEASE: {
            const bool down = ev->type == GDK_BUTTON_PRESS;
            switch (ev->button.button) {
                case 1: msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
                case 2: msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
                case 3: msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
                default: return FALSE;
            }
            break;
        }
        default: return FALSE;  // GTK's extra double-click events: each press already came
    }
    GdkModifierType state{};
    gdk_event_get_state(ev, &state);
    if (state & GDK_BUTTON1_MASK) keys |= MK_LBUTTON;
    if (state & GDK_BUTTON3_MASK) keys |= MK_RBUTTON;
    DispatchMouseInput(POINT{static_cast<LONG>(rx), static_cast<LONG>(ry)}, msg, keys);
    return TRUE;
}

void GtkWindowBackend::OnAreaAllocate(GtkWidget*, GdkRectangle*, gpointer data) {
    // Moving windows from inside an allocation would resize widgets while GTK
    // lays them out; the layer hears of the new size right after.
    g_idle_add_full(
        G_PRIORITY_HIGH_IDLE,
        +[](gpointer d) -> gboolean {
            auto* self = static_cast<GtkWindowBackend*>(d);
            self->SyncFrameRect();
            self->SyncMdiClientRect();
            return G_SOURCE_REMOVE;
        },
        data, nullptr);
}

gboolean GtkWindowBackend::OnFrameConfigure(GtkWidget*, GdkEventConfigure*, gpointer data) {
    auto* self = static_cast<GtkWindowBackend*>(data);
    self->SyncFrameRect();
    if (self->frame_) SendMessageA(self->frame_, WM_NCPAINT, 1, 0);
    return FALSE;
}

gboolean GtkWindowBackend::OnFrameMap(GtkWidget*, GdkEvent*, gpointer data) {
    auto* self = static_cast<GtkWindowBackend*>(data);
    self->SyncFrameRect();
    if (self->frame_) SendMessageA(self->frame_, WM_NCPAINT, 1, 0);
    return FALSE;
}

void GtkWindowBackend::OnFrameActive(GObject* obj, GParamSpec*, gpointer data) {
    auto* self = static_cast<GtkWindowBackend*>(data);
    if (!self->frame_) return;
    const bool active = gtk_window_is_active(GTK_WINDOW(obj));
    SendMessageA(self->frame_, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

namespace {
COLORREF ToColorRef(const GdkRGBA& c, double scale = 1.0) {
    auto ch = [&](double v) { return std::clamp(static_cast<int>(v * scale * 255.0 + 0.5), 0, 255); };
    return RGB(ch(c.red), ch(c.green), ch(c.blue));
}
}  // namespace

void GtkWindowBackend::ApplyThemeColors() {
    if (!frameWindow_) return;
    GtkStyleContext* ctx = gtk_widget_get_style_context(GTK_WIDGET(frameWindow_));
    GdkRGBA bg{0.94, 0.94, 0.94, 1}, base{1, 1, 1, 1}, fg{0, 0, 0, 1}, sel{0.2, 0.5, 0.85, 1},
        selfg{1, 1, 1, 1};
    gtk_style_context_lookup_color(ctx, "theme_bg_color", &bg);
    gtk_style_context_lookup_color(ctx, "theme_base_color", &base);
    gtk_style_context_lookup_color(ctx, "theme_fg_color", &fg);
    gtk_style_context_lookup_color(ctx, "theme_selected_bg_color", &sel);
    gtk_style_context_lookup_color(ctx, "theme_selected_fg_color", &selfg);
    const int idx[] = {COLOR_BTNFACE,     COLOR_MENU,       COLOR_MENUBAR,       COLOR_WINDOW,
                       COLOR_WINDOWTEXT,  COLOR_BTNTEXT,    COLOR_MENUTEXT,      COLOR_HIGHLIGHT,
                       COLOR_HIGHLIGHTTEXT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW,   COLOR_3DLIGHT,
                       COLOR_BTNHIGHLIGHT, COLOR_APPWORKSPACE};
    const COLORREF val[] = {ToColorRef(bg),    ToColorRef(bg),     ToColorRef(bg),
                            ToColorRef(base),  ToColorRef(fg),     ToColorRef(fg),
                            ToColorRef(fg),    ToColorRef(sel),    ToColorRef(selfg),
                            ToColorRef(bg, 0.68), ToColorRef(bg, 0.42), ToColorRef(bg, 0.96),
                            RGB(255, 255, 255), ToColorRef(bg, 0.72)};
    SetSysColors(static_cast<int>(std::size(idx)), idx, val);
}

}  // namespace gtkui
