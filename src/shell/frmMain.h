// The main frame: the only top-level window, its bars, the shared state the
// page windows report to, and NewPage, the one way page windows come to be.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gtk/frame_host.h"
#include "platform/gtk/web_browser.h"
#include "shell/section_menu_table.h"
#include "tabstrip/xsMDITabs.h"

class frmWebBrowser;

class frmMain {
public:
    static constexpr const char* kCaption = "青禾坊教育社区专用浏览器";

    // `root` is the community site's home address (the program passes its
    // constant; tests and the demo a local site).
    explicit frmMain(std::string root);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Shared state, written by the page windows and the address box.
    HWND ActiveHwnd = 0;
    std::shared_ptr<gtkui::WebBrowser> ActiveWeb;
    bool isEditUrl = false;

    // Opens a new page window on an address, makes it the active page and returns it.
    frmWebBrowser& NewPage(const std::string& strUrl);

    // The 文件 menu's items: 1 新建空白页, 2 separator, 3 退出.
    void mFiles_Click(int Index);
    // Go: the address box's text, trimmed of spaces, in a new page window.
    void Go();
    // The button bar, by the clicked button's 1-based index (separators counted).
    void Toolbar1_ButtonClick(int Index);
    // A section leaf: its page in a new page window.
    void mSection_Click(const SectionMenuEntry& entry);

    static constexpr const char* kSearchPage = "https://www.baidu.com";

    // The menu items made from the section table, for the tests.
    struct SectionItem {
        const SectionMenuEntry* entry;
        GtkWidget* item;
    };
    const std::vector<SectionItem>& SectionItems() const { return sectionItems_; }
    GtkWidget* FileMenuItem(int index) const { return fileItems_[index]; }

    const std::string& Root() const { return root_; }
    gtkui::FrameHost& Host() { return *host_; }
    HWND hWnd() const { return host_->Frame(); }
    HWND MdiClient() const { return host_->MdiClient(); }

    // The controls the page windows write.
    void SetText1(const std::string& text) { host_->SetAddressText(text); }
    std::string Text1() const { return host_->AddressText(); }
    void SetStatusBar1SimpleText(const std::string& text) { host_->SetStatusText(text); }
    std::string StatusBar1SimpleText() const { return host_->StatusText(); }

    // The open page windows, for the tests and the tab strip's neighbours.
    frmWebBrowser* PageByHandle(HWND hwnd) const;
    std::vector<HWND> PageHandles() const;

    void Show();

    // The tab strip over the page windows; the frame keeps its stored properties.
    std::shared_ptr<xsMDITabs> xsMDITabs1;
    host::PropertyBag tabProperties;

    // Runs a user command; a failure is shown to the user and the program goes on.
    void RunCommand(const std::function<void()>& command);

private:
    friend class frmWebBrowser;
    void Form_Load();
    void Form_Resize(int innerWidthPx);
    void BuildMenus();
    void PageClosed(HWND hwnd);

    std::string root_;
    std::unique_ptr<gtkui::FrameHost> host_;
    std::unordered_map<HWND, std::unique_ptr<frmWebBrowser>> pages_;
    std::vector<SectionItem> sectionItems_;
    GtkWidget* fileItems_[4] = {};
};
