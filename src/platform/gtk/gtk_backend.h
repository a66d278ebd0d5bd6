// The GTK backend of the window layer: the frame is a GTK top-level window,
// the MDI client a widget that shows the client window's surface (the band
// above the pages included), and every page window a container placed on its
// rectangle inside it. Pointer events over the MDI client go into the layer's
// input entry point; the layer's capture becomes a pointer grab.
#pragma once

#include <gtk/gtk.h>

#include <unordered_map>

#include "platform/backend.h"

namespace gtkui {

class GtkWindowBackend : public user32::WindowBackend {
public:
    static GtkWindowBackend& Instance();

    // Ties the frame window to its top-level GTK window.
    void AttachFrame(HWND frame, GtkWindow* window);
    // Makes the widget that shows the MDI client window; the widget's size
    // drives the window's position and size. The caller packs it.
    GtkWidget* CreateMdiArea(HWND client);
    // Places a toolkit widget (a web view) on a window's rectangle inside the
    // page window that holds it.
    void AttachWidget(HWND hwnd, GtkWidget* widget);
    void DetachWidget(HWND hwnd);
    GtkWindow* FrameWindow() const { return frameWindow_; }

    void WindowCreated(HWND) override;
    void WindowDestroyed(HWND) override;
    void WindowMoved(HWND) override;
    void WindowShown(HWND, bool) override;
    void WindowRaised(HWND) override;
    void SurfaceChanged(HWND, const RECT&) override;
    void CaptureChanged(HWND) override;
    void TextChanged(HWND) override;

    // Takes the system colors from the GTK theme and tells every window.
    void ApplyThemeColors();

private:
    struct Page {
        GtkWidget* host = nullptr;  // GtkFixed on the MDI client area
    };
    void PlacePage(HWND page);
    void PlaceWidget(HWND hwnd);
    void UpdatePageVisibility();
    void SyncFrameRect();
    void SyncMdiClientRect();
    HWND PageOf(HWND hwnd) const;

    static gboolean OnAreaDraw(GtkWidget*, cairo_t*, gpointer);
    static gboolean OnPointer(GtkWidget*, GdkEvent*, gpointer);
    static void OnAreaAllocate(GtkWidget*, GdkRectangle*, gpointer);
    static gboolean OnFrameConfigure(GtkWidget*, GdkEventConfigure*, gpointer);
    static void OnFrameActive(GObject*, GParamSpec*, gpointer);
    static gboolean OnFrameMap(GtkWidget*, GdkEvent*, gpointer);

    HWND frame_ = 0;
    GtkWindow* frameWindow_ = nullptr;
    HWND client_ = 0;
    GtkWidget* area_ = nullptr;  // an event box holding the pane
    GtkWidget* pane_ = nullptr;  // a GtkLayout with one container per page
    std::unordered_map<HWND, Page> pages_;
    std::unordered_map<HWND, GtkWidget*> widgets_;
    GdkSeat* grabbedSeat_ = nullptr;
};

// Installs the program's font substitutions: the face names the system asks
// for map to installed families, Chinese text to WenQuanYi Micro Hei.
void InstallFontSubstitutes();

}  // namespace gtkui
