// The About dialog: one in the program. Shown modally over the frame from the
// button bar, or modeless without owner for the tab strip.
#pragma once

#include <string>

typedef struct _GtkWindow GtkWindow;
typedef struct _GtkWidget GtkWidget;

class frmAbout {
public:
    // Shows the dialog (or brings up the one already open). `owner` null: modeless.
    static void Show(GtkWindow* owner, const std::string& siteRoot);
    // Unloads it: closed and destroyed; the next Show makes it anew.
    static void Unload();
    static GtkWidget* Current();  // null while not shown

    static constexpr const char* kCaption = "关于";
    static constexpr const char* kNotice =
        "青禾坊教育社区版权所有，仅供社区会员免费使用。";
};
