#include "shell/frmMain.h"

#include <unistd.h>

#include <stdexcept>

#include "platform/gtk/gtk_backend.h"
#include "platform/user32.h"
#include "shell/frmAbout.h"
#include "shell/frmWebBrowser.h"

using namespace user32;

namespace {
// Twips of the design, 15 to a pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
}  // namespace

frmMain::frmMain(std::string root) : root_(std::move(root)) {
    host_ = std::make_unique<gtkui::FrameHost>(kCaption);
    host_->SetIcon("/cn/qinghefang/browser/art/app-icon.png");
    BuildMenus();
    host_->onGo = [this] { RunCommand([this] { Go(); }); };
    host_->onAddressFocus = [this](bool focused) { isEditUrl = focused; };
    host_->onResize = [this](int w) { Form_Resize(w); };
    // The tab strip is created with the frame and loads its (empty) store:
    // every property at its default, style 4 with icons.
    host::ControlHost tabHost;
    tabHost.parent = host_->Frame();
    tabHost.userMode = true;
    xsMDITabs1 = xsMDITabs::Create(tabHost);
    xsMDITabs1->aboutHandler = [this] { frmAbout::Show(nullptr, root_); };
    xsMDITabs1->ReadProperties(tabProperties);
    Form_Load();
}

frmMain::~frmMain() {
    frmAbout::Unload();
    if (xsMDITabs1) xsMDITabs1->Terminate();
    // Closing the frame closes every page window with it.
    pages_.clear();
    ActiveWeb.reset();
    host_.reset();
}

void frmMain::BuildMenus() {
    GtkWidget* file = host_->AddTopMenu("文件");
    fileItems_[1] = host_->AddMenuItem(file, "新建空白页", [this] { mFiles_Click(1); });
    host_->AddMenuSeparator(file);
    fileItems_[3] = host_->AddMenuItem(file, "退出", [this] { mFiles_Click(3); });

    GtkWidget* menus[4] = {};  // the open menu at each depth
    for (const SectionMenuEntry& e : SectionMenuTable()) {
        GtkWidget* parent = e.depth > 1 ? menus[e.depth - 1] : nullptr;
        switch (e.kind) {
            case MenuKind::Top: menus[1] = host_->AddTopMenu(e.caption); break;
            case MenuKind::Submenu: menus[e.depth] = host_->AddSubmenu(parent, e.caption); break;
            case MenuKind::Separator: host_->AddMenuSeparator(parent); break;
            case MenuKind::Leaf: {
                const SectionMenuEntry* entry = &e;
                GtkWidget* item = host_->AddMenuItem(parent, e.caption, [this, entry] {
                    RunCommand([this, entry] { mSection_Click(*entry); });
                });
                sectionItems_.push_back({entry, item});
                break;
            }
        }
    }

    struct Button {
        const char* caption;
        const char* image;
    };
    static constexpr Button kButtons[] = {
        {"后退", "tb-back"}, {"前进", "tb-forward"}, {"停止", "tb-stop"}, {"刷新", "tb-refresh"},
        {"主页", "tb-home"}, {nullptr, nullptr},     {"搜索", "tb-search"}, {"购物", "tb-shop"},
        {nullptr, nullptr},  {"关于", "tb-about"}};
    int index = 0;
    for (const Button& b : kButtons) {
        ++index;
        if (!b.caption) {
            host_->AddToolSeparator();
            continue;
        }
        host_->AddToolButton(b.caption, std::string("/cn/qinghefang/browser/art/") + b.image + ".png",
                             [this, index] { Toolbar1_ButtonClick(index); });
    }
}

void frmMain::mSection_Click(const SectionMenuEntry& entry) { NewPage(root_ + entry.path); }

void frmMain::Toolbar1_ButtonClick(int Index) {
    // A failure of a button's action is swallowed: the click has no effect.
    try {
        switch (Index) {
            case 1: if (ActiveWeb) ActiveWeb->GoBack(); break;
            case 2: if (ActiveWeb) ActiveWeb->GoForward(); break;
            case 3: if (ActiveWeb) ActiveWeb->Stop(); break;
            case 4: if (ActiveWeb) ActiveWeb->Refresh(); break;
            case 5: NewPage(root_); break;
            case 7: NewPage(kSearchPage); break;
            case 8: NewPage(root_); break;
            case 10: frmAbout::Show(host_->Window(), root_); break;
            default: break;
        }
    } catch (const std::exception&) {
    }
}

void frmMain::Form_Load() {
    frmWebBrowser& first = NewPage(root_);
    first.Maximize();
}

void frmMain::Show() {
    host_->ShowMaximized();
    gtkui::GtkWindowBackend::Instance().ApplyThemeColors();
    // The page has the keyboard at start, not the address box.
    if (ActiveWeb && ActiveWeb->View()) host_->FocusWidget(GTK_WIDGET(ActiveWeb->View()));
}

frmWebBrowser& frmMain::NewPage(const std::string& strUrl) {
    auto page = std::make_unique<frmWebBrowser>(*this);
    frmWebBrowser& ref = *page;
    const HWND h = page->hWnd();
    pages_[h] = std::move(page);
    ref.WebBrowser1->Navigate(strUrl);
    return ref;
}

void frmMain::mFiles_Click(int Index) {
    switch (Index) {
        case 1: RunCommand([this] { NewPage("about:blank"); }); break;
        case 3: _exit(0);  // at once: no question, no closing logic
        default: break;
    }
}

void frmMain::Go() {
    std::string text = Text1();
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return;
    const size_t last = text.find_last_not_of(' ');
    NewPage(text.substr(first, last - first + 1));
}

void frmMain::Form_Resize(int innerWidthPx) {
    // Four steps in twips; a step whose result would be invalid is skipped
    // and its control keeps the value it had.
    const int inner = innerWidthPx * kTwipsPerPixel;
    const int cmdWidth = host_->GoButtonWidth() * kTwipsPerPixel;
    const int cmdLeft = inner - cmdWidth - 75;
    if (cmdLeft >= 0) host_->PlaceGoButton(cmdLeft / kTwipsPerPixel);
    const int picLeft = host_->AddressStripLeft() * kTwipsPerPixel;
    const int picWidth = host_->GoButtonLeft() * kTwipsPerPixel - picLeft - 75;
    if (picWidth >= 0) host_->SetAddressStripWidth(picWidth / kTwipsPerPixel);
    const int textWidth = host_->AddressStripWidth() - host_->AddressBoxLeft();
    if (textWidth >= 0) host_->SetAddressBoxSize(textWidth, host_->AddressStripHeight());
}

void frmMain::RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        GtkWidget* dlg = gtk_message_dialog_new(host_->Window(), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                                GTK_BUTTONS_OK, "%s", e.what());
        gtk_window_set_title(GTK_WINDOW(dlg), kCaption);
        gtk_dialog_run(GTK_DIALOG(dlg));
        gtk_widget_destroy(dlg);
    }
}

frmWebBrowser* frmMain::PageByHandle(HWND hwnd) const {
    auto it = pages_.find(hwnd);
    return it == pages_.end() ? nullptr : it->second.get();
}

std::vector<HWND> frmMain::PageHandles() const {
    std::vector<HWND> out;
    for (HWND h : GetChildren(MdiClient()))
        if (pages_.count(h)) out.push_back(h);
    return out;
}

void frmMain::PageClosed(HWND hwnd) { pages_.erase(hwnd); }
