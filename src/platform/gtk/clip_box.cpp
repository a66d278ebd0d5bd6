#include "platform/gtk/clip_box.h"

namespace gtkui {

GtkWidget* ClipBox(GtkWidget* w, bool across_only) {
    GtkWidget* sw = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(sw), GTK_POLICY_EXTERNAL,
                                   across_only ? GTK_POLICY_NEVER : GTK_POLICY_EXTERNAL);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(sw), GTK_SHADOW_NONE);
    gtk_container_add(GTK_CONTAINER(sw), w);
    if (GtkWidget* vp = gtk_bin_get_child(GTK_BIN(sw)); vp && GTK_IS_VIEWPORT(vp))
        gtk_viewport_set_shadow_type(GTK_VIEWPORT(vp), GTK_SHADOW_NONE);
    // The wheel never shifts the contents.
    g_signal_connect(sw, "scroll-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer) -> gboolean {
                         return TRUE;
                     }),
                     nullptr);
    return sw;
}

}  // namespace gtkui
