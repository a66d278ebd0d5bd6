// A page window: one web page in its own MDI child window, reporting to the
// frame which page is active, its address and its status text.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "platform/gtk/web_browser.h"

class frmMain;

class frmWebBrowser {
public:
    static constexpr const char* kClassName = "QhfWebBrowserForm";
    static constexpr const char* kLoadingCaption = "Loading...";

    // Creates the window as a child of the frame's MDI client; it becomes the
    // active page window.
    explicit frmWebBrowser(frmMain& main);
    ~frmWebBrowser();
    frmWebBrowser(const frmWebBrowser&) = delete;
    frmWebBrowser& operator=(const frmWebBrowser&) = delete;

    HWND hWnd() const { return hwnd_; }
    std::string Caption() const;
    void Maximize();

    std::string m_URL;
    std::shared_ptr<gtkui::WebBrowser> WebBrowser1;

    // A page may open at most this many windows within kStormSeconds; the rest
    // of a burst is refused so that a runaway script cannot bury the program.
    static constexpr int kStormLimit = 10;
    static constexpr int kStormSeconds = 5;
    // And the program keeps at most this many page windows open at once.
    static constexpr size_t kMaxPages = 100;

private:
    static LRESULT WndProc(HWND h, UINT m, WPARAM w, LPARAM l);
    static void EnsureClass();
    void OnCreate(HWND h);
    void Form_Activate();
    void Form_Resize();
    void WebBrowser1_BeforeNavigate2(const std::string& URL);
    void WebBrowser1_NewWindow2(std::shared_ptr<gtkui::WebBrowser>& ppDisp, bool& Cancel);
    void WebBrowser1_StatusTextChange(const std::string& Text);
    void WebBrowser1_TitleChange(const std::string& Text);
    bool IsActive() const;

    frmMain& main_;
    HWND hwnd_ = 0;
    std::deque<gint64> recentPopups_;
};
