// A widget cut to the space its parent gives it, the way the platform's
// controls are, instead of holding its parent at the widget's natural size.
#pragma once

#include <gtk/gtk.h>

namespace gtkui {

// Wraps w in a frameless scrolled window with no scroll bars that ignores
// the wheel. across_only: only the width is cut (bars keep their height).
GtkWidget* ClipBox(GtkWidget* w, bool across_only);

}  // namespace gtkui
