// The GTK side of the main frame: the top-level window with its menu bar, the
// button bar, the address bar, the area that shows the MDI client, and the
// status bar. The frame's logic (src/shell) drives it through this class.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/wintypes.h"

namespace gtkui {

class FrameHost {
public:
    // Makes the top-level window and the frame and MDI client windows of the layer.
    explicit FrameHost(const std::string& caption);
    ~FrameHost();

    HWND Frame() const { return frame_; }
    HWND MdiClient() const { return client_; }
    GtkWindow* Window() const { return window_; }

    // Menus: a top-level menu, then items and separators under a menu
    // (submenus by giving a parent that is itself an item).
    GtkWidget* AddTopMenu(const std::string& caption);
    GtkWidget* AddMenuItem(GtkWidget* menu, const std::string& caption, std::function<void()> onClick);
    GtkWidget* AddSubmenu(GtkWidget* menu, const std::string& caption);
    void AddMenuSeparator(GtkWidget* menu);

    // The button bar: a button with its 24 × 24 image (a resource path) and
    // its caption below it, or a separator.
    void AddToolButton(const std::string& caption, const std::string& imageResource,
                       std::function<void()> onClick);
    void AddToolSeparator();

    // The address bar. Geometry in pixels, as the frame lays it out.
    std::string AddressText() const;
    void SetAddressText(const std::string& text);
    GtkWidget* AddressBox() const { return text1_; }
    GtkWidget* GoButton() const { return command1_; }
    std::function<void()> onGo;            // Enter in the box or a click on the go button
    std::function<void(bool)> onAddressFocus;  // focus gained (true) or lost
    std::function<void(int innerWidth)> onResize;  // the frame's client width changed
    void PlaceGoButton(int left);
    void SetAddressStripWidth(int width);
    void SetAddressBoxSize(int width, int height);
    int GoButtonLeft() const;
    int GoButtonWidth() const { return 73; }
    int AddressStripLeft() const { return 8; }
    int AddressStripWidth() const;
    int AddressStripHeight() const { return 20; }
    int AddressBoxLeft() const { return 17; }

    // The status bar's simple text.
    void SetStatusText(const std::string& text);
    std::string StatusText() const;

    void SetIcon(const std::string& resource);
    void ShowMaximized();
    void FocusWidget(GtkWidget* widget);

private:
    static void OnAllocate(GtkWidget*, GdkRectangle*, gpointer);

    GtkWindow* window_ = nullptr;
    GtkWidget* menubar_ = nullptr;
    GtkWidget* toolbar1_ = nullptr;
    GtkWidget* toolbar2_ = nullptr;
    GtkWidget* picture1_ = nullptr;
    GtkWidget* text1_ = nullptr;
    GtkWidget* command1_ = nullptr;
    GtkWidget* status_ = nullptr;
    int lastWidth_ = -1;
    guint resizeSource_ = 0;  // the pending layout after a width change
    HWND frame_ = 0;
    HWND client_ = 0;
};

}  // namespace gtkui
