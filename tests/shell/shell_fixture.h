// End-to-end fixture: a private Xvfb server, the sample site on 127.0.0.1 and
// the real frame with WebKit, driven through its handlers and through real
// X pointer input (xdotool).
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

#include "shell/frmMain.h"
#include "shell/frmWebBrowser.h"
#include "site/site_server.h"

namespace e2e {

// Starts Xvfb and GTK once per test program.
class DisplayEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// Runs GLib's loop until `done` or the timeout; false on timeout.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 15000);
void Pump(int ms);

// Real pointer input on the test's display.
void XClick(int x, int y, int button = 1);
void XMove(int x, int y);
void XDown(int button = 1);
void XUp(int button = 1);

// Screen position of a widget's centre.
bool WidgetCenter(GtkWidget* w, int* x, int* y);
// The first widget of `type` under `root` (itself included) whose own text,
// or the text of a label inside it, is `text`; null when there is none.
GtkWidget* FindLabeled(GtkWidget* root, GType type, const std::string& text);
// A shown top-level window of `type` (popup windows included), or null.
GtkWidget* ShownWindow(GType type);
// Presses and releases a key or key combination on the test's display.
void XKey(const std::string& keys);

// Screen position of the centre of the element `selector` in a page.
bool ElementCenter(gtkui::WebBrowser& b, const std::string& selector, int* x, int* y);
// Runs script and waits for its string result.
std::string Eval(gtkui::WebBrowser& b, const std::string& script);

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    frmWebBrowser* Active() const;
    frmWebBrowser* Page(size_t i) const;  // in creation order
    size_t PageCount() const { return frame->PageHandles().size(); }
    bool WaitTitle(frmWebBrowser* p, const std::string& title);
    bool WaitLoaded(frmWebBrowser* p);
    std::string Url(const std::string& path) const { return site->Root() + path; }

    std::unique_ptr<site::SiteServer> site;
    std::unique_ptr<frmMain> frame;
};

}  // namespace e2e
