#include "platform/gtk/frame_host.h"

#include "platform/gtk/clip_box.h"
#include "platform/gtk/gtk_backend.h"
#include "platform/user32.h"

extern "C" GResource* qhf_get_resource(void);

namespace gtkui {

using namespace user32;

namespace {
constexpr const char* kFrameClass = "QhfMainFrame";

void EnsureFrameClass() {
    static bool done = [] {
        WNDCLASSA wc;
        wc.lpszClassName = kFrameClass;
        RegisterClassA(wc);
        return true;
    }();
    (void)done;
}

void ApplyCss() {
    static bool done = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(css,
                                        "#Picture1 { background-color: #ffffff; }"
                                        "#Text1 { border: none; box-shadow: none; background: #ffffff;"
                                        "  min-height: 0; padding: 0 2px; }"
                                        "#Toolbar1 button { padding: 1px 4px; }"
                                        // Push buttons keep their design height (25 pixels).
                                        "button#Command1 { min-height: 0; padding-top: 0;"
                                        "  padding-bottom: 0; }",
                                        -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    (void)done;
}
}  // namespace

FrameHost::FrameHost(const std::string& caption) {
    // The compiled-in pictures register themselves once their object is linked in.
    (void)qhf_get_resource();
    ApplyCss();
    EnsureFrameClass();
    window_ = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    g_object_ref_sink(window_);
    gtk_window_set_title(window_, caption.c_str());
    gtk_window_set_default_size(window_, 410, 300 + 45 + 37 + 20 + 24);
    gtk_window_set_position(window_, GTK_WIN_POS_CENTER);

    frame_ = CreateWindowExA(0, kFrameClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             410, 400, 0);
    client_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", "", WS_CHILD | WS_VISIBLE |
                                  WS_CLIPCHILDREN, 0, 0, 410, 300, frame_);
    auto& backend = GtkWindowBackend::Instance();
    backend.AttachFrame(frame_, window_);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(window_), box);

    menubar_ = gtk_menu_bar_new();
    gtk_box_pack_start(GTK_BOX(box), ClipBox(menubar_, true), FALSE, FALSE, 0);

    toolbar1_ = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_widget_set_name(toolbar1_, "Toolbar1");
    gtk_widget_set_size_request(toolbar1_, -1, 45);
    gtk_box_pack_start(GTK_BOX(box), ClipBox(toolbar1_, true), FALSE, FALSE, 0);

    // The address bar: a white strip with the page icon and the address box,
    // and the go button at the right; the frame lays them out on resize. A
    // layout, unlike a fixed container, does not grow to its children, so the
    // go button's last place never keeps the frame from getting narrower.
    toolbar2_ = gtk_layout_new(nullptr, nullptr);
    gtk_widget_set_size_request(toolbar2_, -1, 37);
    gtk_box_pack_start(GTK_BOX(box), toolbar2_, FALSE, FALSE, 0);
    picture1_ = gtk_fixed_new();
    gtk_widget_set_name(picture1_, "Picture1");
    gtk_widget_set_has_window(picture1_, TRUE);
    gtk_layout_put(GTK_LAYOUT(toolbar2_), picture1_, 8, 8);
    gtk_widget_set_size_request(picture1_, 200, 20);
    GtkWidget* image1 = gtk_image_new_from_resource("/cn/qinghefang/browser/art/address.png");
    gtk_fixed_put(GTK_FIXED(picture1_), image1, 0, 2);
    text1_ = gtk_entry_new();
    gtk_widget_set_name(text1_, "Text1");
    gtk_entry_set_has_frame(GTK_ENTRY(text1_), FALSE);
    gtk_entry_set_width_chars(GTK_ENTRY(text1_), 1);  // the layout gives it its width
    gtk_fixed_put(GTK_FIXED(picture1_), text1_, 17, 0);
    command1_ = gtk_button_new_with_label("跳转");
    gtk_widget_set_name(command1_, "Command1");
    gtk_layout_put(GTK_LAYOUT(toolbar2_), command1_, 300, 6);
    gtk_widget_set_size_request(command1_, 73, 25);

    auto go = +[](GtkWidget*, gpointer d) {
        auto* self = static_cast<FrameHost*>(d);
        if (self->onGo) self->onGo();
    };
    g_signal_connect(command1_, "clicked", G_CALLBACK(go), this);
    g_signal_connect(text1_, "activate", G_CALLBACK(go), this);
    g_signal_connect(text1_, "focus-in-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer d) -> gboolean {
                         auto* self = static_cast<FrameHost*>(d);
                         if (self->onAddressFocus) self->onAddressFocus(true);
                         return FALSE;
                     }),
                     this);
    g_signal_connect(text1_, "focus-out-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer d) -> gboolean {
                         auto* self = static_cast<FrameHost*>(d);
                         if (self->onAddressFocus) self->onAddressFocus(false);
                         return FALSE;
                     }),
                     this);

    gtk_box_pack_start(GTK_BOX(box), backend.CreateMdiArea(client_), TRUE, TRUE, 0);

    // Status bar: the simple text, then the panel with the designer's credit.
    GtkWidget* bar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_widget_set_size_request(bar, -1, 20);
    status_ = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(status_), 0.0f);
    gtk_label_set_ellipsize(GTK_LABEL(status_), PANGO_ELLIPSIZE_END);
    gtk_box_pack_start(GTK_BOX(bar), status_, TRUE, TRUE, 4);
    gtk_box_pack_end(GTK_BOX(bar), gtk_label_new("设计开发：远山"), FALSE, FALSE, 6);
    gtk_box_pack_start(GTK_BOX(box), ClipBox(bar, true), FALSE, FALSE, 0);

    g_signal_connect(toolbar2_, "size-allocate", G_CALLBACK(OnAllocate), this);
    g_signal_connect(window_, "delete-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer) -> gboolean {
                         gtk_main_quit();
                         return TRUE;
                     }),
                     nullptr);
    gtk_widget_show_all(box);
}

FrameHost::~FrameHost() {
    if (resizeSource_) g_source_remove(resizeSource_);
    if (IsWindow(frame_)) DestroyWindow(frame_);
    if (window_) {
        gtk_widget_destroy(GTK_WIDGET(window_));
        g_object_unref(window_);
    }
}

GtkWidget* FrameHost::AddTopMenu(const std::string& caption) {
    GtkWidget* item = gtk_menu_item_new_with_label(caption.c_str());
    GtkWidget* menu = gtk_menu_new();
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(menubar_), item);
    gtk_widget_show_all(item);
    return menu;
}

GtkWidget* FrameHost::AddMenuItem(GtkWidget* menu, const std::string& caption,
                                  std::function<void()> onClick) {
    GtkWidget* item = gtk_menu_item_new_with_label(caption.c_str());
    auto* fn = new std::function<void()>(std::move(onClick));
    g_signal_connect_data(
        item, "activate",
        G_CALLBACK(+[](GtkMenuItem*, gpointer d) { (*static_cast<std::function<void()>*>(d))(); }), fn,
        +[](gpointer d, GClosure*) { delete static_cast<std::function<void()>*>(d); },
        GConnectFlags(0));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    gtk_widget_show(item);
    return item;
}

GtkWidget* FrameHost::AddSubmenu(GtkWidget* menu, const std::string& caption) {
    GtkWidget* item = gtk_menu_item_new_with_label(caption.c_str());
    GtkWidget* sub = gtk_menu_new();
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), sub);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    gtk_widget_show_all(item);
    return sub;
}

void FrameHost::AddMenuSeparator(GtkWidget* menu) {
    GtkWidget* sep = gtk_separator_menu_item_new();
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), sep);
    gtk_widget_show(sep);
}

void FrameHost::AddToolButton(const std::string& caption, const std::string& imageResource,
                              std::function<void()> onClick) {
    GtkWidget* b = gtk_button_new();
    gtk_button_set_relief(GTK_BUTTON(b), GTK_RELIEF_NONE);
    gtk_widget_set_can_focus(b, FALSE);
    GtkWidget* v = gtk_box_new(GTK_ORIENTATION_VERTICAL, 1);
    gtk_box_pack_start(GTK_BOX(v), gtk_image_new_from_resource(imageResource.c_str()), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(v), gtk_label_new(caption.c_str()), FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(b), v);
    auto* fn = new std::function<void()>(std::move(onClick));
    g_signal_connect_data(
        b, "clicked",
        G_CALLBACK(+[](GtkButton*, gpointer d) { (*static_cast<std::function<void()>*>(d))(); }), fn,
        +[](gpointer d, GClosure*) { delete static_cast<std::function<void()>*>(d); },
        GConnectFlags(0));
    gtk_box_pack_start(GTK_BOX(toolbar1_), b, FALSE, FALSE, 0);
    gtk_widget_show_all(b);
}

void FrameHost::AddToolSeparator() {
    GtkWidget* s = gtk_separator_new(GTK_ORIENTATION_VERTICAL);
    gtk_box_pack_start(GTK_BOX(toolbar1_), s, FALSE, FALSE, 4);
    gtk_widget_show(s);
}

std::string FrameHost::AddressText() const { return gtk_entry_get_text(GTK_ENTRY(text1_)); }

void FrameHost::SetAddressText(const std::string& text) {
    gtk_entry_set_text(GTK_ENTRY(text1_), text.c_str());
}

void FrameHost::PlaceGoButton(int left) {
    gtk_layout_move(GTK_LAYOUT(toolbar2_), command1_, left, 6);
}

void FrameHost::SetAddressStripWidth(int width) { gtk_widget_set_size_request(picture1_, width, 20); }

void FrameHost::SetAddressBoxSize(int width, int height) {
    gtk_widget_set_size_request(text1_, width, height);
}

int FrameHost::GoButtonLeft() const {
    int x = 0;
    gtk_container_child_get(GTK_CONTAINER(toolbar2_), command1_, "x", &x, nullptr);
    return x;
}

int FrameHost::AddressStripWidth() const {
    int w = 0;
    gtk_widget_get_size_request(picture1_, &w, nullptr);
    return w;
}

void FrameHost::SetStatusText(const std::string& text) {
    gtk_label_set_text(GTK_LABEL(status_), text.c_str());
}

std::string FrameHost::StatusText() const { return gtk_label_get_text(GTK_LABEL(status_)); }

void FrameHost::SetIcon(const std::string& resource) {
    GdkPixbuf* pb = gdk_pixbuf_new_from_resource(resource.c_str(), nullptr);
    if (!pb) return;
    gtk_window_set_icon(window_, pb);
    g_object_unref(pb);
}

void FrameHost::ShowMaximized() {
    // Without a window manager nothing maximizes a window: it is then given
    // the monitor's work area itself.
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* mon = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!mon && display) mon = gdk_display_get_monitor(display, 0);
    if (mon) {
        GdkRectangle area;
        gdk_monitor_get_workarea(mon, &area);
        gtk_window_move(window_, area.x, area.y);
        gtk_window_resize(window_, area.width, area.height);
    }
    gtk_window_maximize(window_);
    gtk_widget_show(GTK_WIDGET(window_));
}

void FrameHost::FocusWidget(GtkWidget* widget) {
    if (widget) gtk_widget_grab_focus(widget);
}

void FrameHost::OnAllocate(GtkWidget*, GdkRectangle* a, gpointer d) {
    auto* self = static_cast<FrameHost*>(d);
    if (a->width == self->lastWidth_) return;
    self->lastWidth_ = a->width;
    if (self->resizeSource_) return;
    // Moving children from inside an allocation is deferred to the next turn.
    self->resizeSource_ = g_idle_add_full(
        G_PRIORITY_HIGH_IDLE,
        +[](gpointer data) -> gboolean {
            auto* s = static_cast<FrameHost*>(data);
            s->resizeSource_ = 0;
            if (s->onResize) s->onResize(s->lastWidth_);
            return G_SOURCE_REMOVE;
        },
        self, nullptr);
}

}  // namespace gtkui
