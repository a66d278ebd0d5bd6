// The embedded browser control: one WebKit web view living in a child window
// of a page window, with the operations and events the shell relies on.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <glib-object.h>

#include "platform/wintypes.h"

typedef struct _WebKitWebView WebKitWebView;

namespace gtkui {

class WebBrowser : public std::enable_shared_from_this<WebBrowser> {
public:
    // Makes the control's window inside `parent` (filling its client area)
    // and a blank web view in it.
    static std::shared_ptr<WebBrowser> Create(HWND parent);
    ~WebBrowser();
    WebBrowser(const WebBrowser&) = delete;
    WebBrowser& operator=(const WebBrowser&) = delete;

    // What a user types is read as the old control read it: a full address
    // as it is, a bare host name as http. An address that cannot be opened
    // shows WebKit's error page.
    void Navigate(const std::string& address);
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();
    // Opens the print dialog over the program's window and prints the page
    // with what the user chooses there. The printer, the file and the page
    // setup chosen last are offered again next time.
    void Print();
    std::string LocationURL() const;
    // The object a new-window request hands back to WebKit.
    std::shared_ptr<WebBrowser> Application() { return shared_from_this(); }
    HWND hWnd() const { return hwnd_; }
    // The page window is gone: the view is released; every operation then does nothing.
    bool IsClosed() const { return view_ == nullptr; }

    // Events. A navigation always proceeds; NewWindow2 names the control
    // that receives the new page (leave it empty or set Cancel to refuse).
    std::function<void(const std::string& URL)> BeforeNavigate2;
    std::function<void(std::shared_ptr<WebBrowser>& ppDisp, bool& Cancel)> NewWindow2;
    std::function<void(const std::string& Text)> StatusTextChange;
    std::function<void(const std::string& Text)> TitleChange;

    // For tests and the demo: runs script in the page (counts as a user gesture).
    void RunJavaScript(const std::string& script,
                       std::function<void(bool ok, const std::string& value)> done = {});
    bool IsLoading() const;
    WebKitWebView* View() const { return view_; }
    // Reason of the last web process end, empty while it runs.
    const std::string& CrashedAddress() const { return crashedAddress_; }

    // Turns text typed by a user into an address WebKit can load.
    static std::string InterpretAddress(const std::string& typed);

private:
    explicit WebBrowser(HWND hwnd);
    void AdoptView(WebKitWebView* view);
    void ReleaseView();
    void SetStatus(const std::string& text);
    void Fire(const std::function<void(const std::string&)>& ev, const std::string& text);

    static void OnLoadChanged(WebKitWebView*, int event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, int event, char* uri, GError*, gpointer self);
    static gboolean OnDecidePolicy(WebKitWebView*, void* decision, int type, gpointer self);
    static void OnTitle(GObject*, void*, gpointer self);
    static void OnMouseTarget(WebKitWebView*, void* hit, guint modifiers, gpointer self);
    static void* OnCreate(WebKitWebView*, void* action, gpointer self);
    static void OnCrashed(WebKitWebView*, int reason, gpointer self);
    static gboolean OnPrintRequest(WebKitWebView*, void* operation, gpointer self);
    static gboolean OnContextMenu(WebKitWebView*, void* menu, void* event, void* hit, gpointer self);

    HWND hwnd_ = 0;
    WNDPROC proc_ = 0;
    WebKitWebView* view_ = nullptr;
    std::string crashedAddress_;
    // While a notice page loads under a page's address (WebKit's error page
    // for a failed load, or the message about a dead web process), the status
    // bar keeps what happened instead of the notice's own loading steps.
    std::string noticeAddress_;
    std::string noticeStatus_;
};

}  // namespace gtkui
