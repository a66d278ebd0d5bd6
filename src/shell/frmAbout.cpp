#include "shell/frmAbout.h"

#include <gtk/gtk.h>

#include "platform/gtk/clip_box.h"
#include "platform/user32.h"

namespace {
GtkWidget* g_dialog = nullptr;
constexpr int kTwips = 15;

GtkWidget* Label(const char* text, const char* font, const char* name = nullptr, bool wrap = false) {
    GtkWidget* l = gtk_label_new(text);
    PangoAttrList* attrs = pango_attr_list_new();
    PangoFontDescription* desc = pango_font_description_from_string(font);
    pango_attr_list_insert(attrs, pango_attr_font_desc_new(desc));
    pango_font_description_free(desc);
    gtk_label_set_attributes(GTK_LABEL(l), attrs);
    pango_attr_list_unref(attrs);
    gtk_label_set_xalign(GTK_LABEL(l), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(l), 0.0f);
    gtk_label_set_line_wrap(GTK_LABEL(l), wrap);
    gtk_label_set_line_wrap_mode(GTK_LABEL(l), PANGO_WRAP_WORD_CHAR);
    if (name) gtk_widget_set_name(l, name);
    return l;
}


void Put(GtkWidget* fixed, GtkWidget* w, int left, int top, int width, int height) {
    gtk_widget_set_size_request(w, width / kTwips, height / kTwips);
    gtk_layout_put(GTK_LAYOUT(fixed), w, left / kTwips, top / kTwips);
}

gboolean DrawEtchedLine(GtkWidget*, cairo_t* cr, gpointer) {
    // A shadow-colored line with a white one a pixel below: the etched separator.
    const COLORREF shadow = user32::GetSysColor(COLOR_BTNSHADOW);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, GetRValue(shadow) / 255.0, GetGValue(shadow) / 255.0, GetBValue(shadow) / 255.0);
    cairo_move_to(cr, 0, 0.5);
    cairo_line_to(cr, 7080.0 / kTwips, 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, 0, 1.5);
    cairo_line_to(cr, 7080.0 / kTwips, 1.5);
    cairo_stroke(cr);
    return FALSE;
}
}  // namespace

GtkWidget* frmAbout::Current() { return g_dialog; }

void frmAbout::Unload() {
    if (!g_dialog) return;
    GtkWidget* d = g_dialog;
    g_dialog = nullptr;
    gtk_widget_destroy(d);
}

void frmAbout::Show(GtkWindow* owner, const std::string& siteRoot) {
    if (g_dialog) {
        gtk_window_present(GTK_WINDOW(g_dialog));
        return;
    }
    GtkWidget* win = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_dialog = win;
    gtk_window_set_title(GTK_WINDOW(win), kCaption);
    gtk_window_set_type_hint(GTK_WINDOW(win), GDK_WINDOW_TYPE_HINT_DIALOG);  // no minimize or maximize
    gtk_window_set_resizable(GTK_WINDOW(win), FALSE);
    gtk_window_set_position(GTK_WINDOW(win), GTK_WIN_POS_CENTER);
    gtk_window_set_default_size(GTK_WINDOW(win), 5355 / kTwips, 3540 / kTwips);
    if (GdkPixbuf* icon = gdk_pixbuf_new_from_resource("/cn/qinghefang/browser/art/app-icon.png", nullptr)) {
        gtk_window_set_icon(GTK_WINDOW(win), icon);
        g_object_unref(icon);
    }
    if (owner) {
        gtk_window_set_transient_for(GTK_WINDOW(win), owner);
        gtk_window_set_modal(GTK_WINDOW(win), TRUE);
    }
    // A layout does not grow with its children: the client size stays the design's.
    GtkWidget* fixed = gtk_layout_new(nullptr, nullptr);
    gtk_widget_set_size_request(fixed, 5355 / kTwips, 3540 / kTwips);
    gtk_container_add(GTK_CONTAINER(win), fixed);

    // Bottom of the z-order first.
    GtkWidget* ok = gtk_button_new_with_label("确定");
    gtk_widget_set_name(ok, "Command1");
    if (GtkWidget* caption = gtk_bin_get_child(GTK_BIN(ok)); caption && GTK_IS_LABEL(caption)) {
        PangoAttrList* attrs = pango_attr_list_new();
        PangoFontDescription* font = pango_font_description_from_string("Verdana 8.25");
        pango_attr_list_insert(attrs, pango_attr_font_desc_new(font));
        pango_font_description_free(font);
        gtk_label_set_attributes(GTK_LABEL(caption), attrs);
        pango_attr_list_unref(attrs);
    }
    Put(fixed, ok, 3360, 2760, 1215, 375);
    Put(fixed, gtkui::ClipBox(Label("青禾坊教育社区浏览器 设计开发：远山", "宋体 9"), false), 120, 120, 4935, 255);
    Put(fixed, gtk_image_new_from_resource("/cn/qinghefang/browser/art/logo.png"), 120, 480, 3435, 1350);
    Put(fixed, gtkui::ClipBox(Label(siteRoot.c_str(), "Tahoma 8.25", "Label5"), false), 120, 2160, 3135, 255);
    GtkWidget* line = gtk_drawing_area_new();
    g_signal_connect(line, "draw", G_CALLBACK(DrawEtchedLine), nullptr);
    Put(fixed, line, 0, 2520, 5355, 30);
    Put(fixed, gtkui::ClipBox(Label("v1.0.0", "Trebuchet MS 8.25"), false), 4440, 1080, 495, 255);
    Put(fixed, gtkui::ClipBox(Label("qinghef", "Segoe UI 14.25"), false), 3600, 960, 690, 390);
    GtkWidget* notice = Label(kNotice, "Tahoma 8.25", "lblDescription", true);
    GtkWidget* noticeBox = gtk_event_box_new();
    GdkRGBA grey{0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0, 1};
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_widget_override_background_color(noticeBox, GTK_STATE_FLAG_NORMAL, &grey);
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_container_add(GTK_CONTAINER(noticeBox), notice);
    Put(fixed, gtkui::ClipBox(noticeBox, false), 120, 2760, 2520, 495);

    // 确定 is both the default and the cancel button: Enter and Esc close.
    g_signal_connect(ok, "clicked", G_CALLBACK(+[](GtkButton*, gpointer) { frmAbout::Unload(); }), nullptr);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_window_set_default(GTK_WINDOW(win), ok);
    g_signal_connect(win, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* e, gpointer) -> gboolean {
        if (e->keyval == GDK_KEY_Escape || e->keyval == GDK_KEY_Return || e->keyval == GDK_KEY_KP_Enter) {
            frmAbout::Unload();
            return TRUE;
        }
        return FALSE;
    }), nullptr);
    g_signal_connect(win, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer) -> gboolean {
        frmAbout::Unload();
        return TRUE;
    }), nullptr);
    gtk_widget_show_all(win);
    gtk_widget_grab_focus(ok);
}
