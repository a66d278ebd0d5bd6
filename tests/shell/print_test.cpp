// Printing a page: the print dialog from the page's context menu and from the
// page's own window.print(), cancelled without harm or printed to a PDF file.
#include <glib/gstdio.h>
#include <gtk/gtkunixprint.h>

#include <cstdio>
#include <functional>

#include "shell_fixture.h"

using namespace e2e;

namespace {

// Calls `step` every 100 ms from GLib's loop, the print dialog's own loop
// included, until it answers true. The dialog's loop runs inside the click
// that opened it, so this is how a test acts while the dialog is up.
void Every100ms(std::function<bool()> step) {
    g_timeout_add_full(
        G_PRIORITY_DEFAULT, 100,
        +[](gpointer d) -> gboolean {
            return (*static_cast<std::function<bool()>*>(d))() ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
        },
        new std::function<bool()>(std::move(step)),
        +[](gpointer d) { delete static_cast<std::function<bool()>*>(d); });
}

GtkWidget* PrintDialog() { return ShownWindow(GTK_TYPE_PRINT_UNIX_DIALOG); }

// A shown menu item with this text in any popup menu.
GtkWidget* ShownMenuItem(const std::string& text) {
    GtkWidget* found = nullptr;
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l && !found; l = l->next) {
        GtkWidget* w = FindLabeled(GTK_WIDGET(l->data), GTK_TYPE_MENU_ITEM, text);
        if (w && gtk_widget_get_mapped(w)) found = w;
    }
    g_list_free(all);
    return found;
}

// The page's context menu, opened with the right button, then its 打印… item.
void PrintFromContextMenu(frmWebBrowser* p) {
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*p->WebBrowser1, "#poem", &x, &y));
    XClick(x, y, 3);
    GtkWidget* item = nullptr;
    ASSERT_TRUE(RunUntil([&] { return (item = ShownMenuItem("打印…")) != nullptr; }, 5000));
    ASSERT_TRUE(WidgetCenter(item, &x, &y));
    XClick(x, y);
}

// The page's own button that calls window.print().
void PrintFromThePage(frmWebBrowser* p) {
    int x = 0, y = 0;
    ASSERT_TRUE(ElementCenter(*p->WebBrowser1, "#print", &x, &y));
    XClick(x, y);
}

std::string PdfText(const std::string& path) {
    std::string out;
    const std::string cmd = "pdftotext -enc UTF-8 '" + path + "' - 2>/dev/null";
    if (FILE* f = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n = 0;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        pclose(f);
    }
    return out;
}

std::string FileUri(const std::string& path) {
    gchar* u = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string s(u ? u : "");
    g_free(u);
    return s;
}

class Printing : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        page = Active();
        page->WebBrowser1->Navigate(Url("/print"));
        ASSERT_TRUE(WaitTitle(page, "打印"));
        ASSERT_TRUE(WaitLoaded(page));
    }
    frmWebBrowser* page = nullptr;
};

}  // namespace

TEST_F(Printing, TheDialogOpensOverTheProgramAndCancelsWithoutHarm) {
    const struct {
        const char* how;
        void (*open)(frmWebBrowser*);
        const char* titleAfter;  // window.print() returns to the page's script
    } ways[] = {
        {"context menu 打印…", PrintFromContextMenu, "打印"},
        {"window.print() in the page", PrintFromThePage, "打印之后"},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        page->WebBrowser1->Navigate(Url("/print"));
        ASSERT_TRUE(WaitTitle(page, "打印"));
        ASSERT_TRUE(WaitLoaded(page));
        const std::string statusBefore = frame->StatusBar1SimpleText();
        bool seen = false, overProgram = false, modal = false;
        Every100ms([&] {
            GtkWidget* dlg = PrintDialog();
            if (!dlg) return false;
            seen = true;
            overProgram = gtk_window_get_transient_for(GTK_WINDOW(dlg)) == frame->Host().Window();
            modal = gtk_window_get_modal(GTK_WINDOW(dlg));
            XKey("Escape");
            return true;
        });
        way.open(page);
        ASSERT_TRUE(RunUntil([&] { return seen && !PrintDialog(); })) << "no print dialog came up";
        EXPECT_TRUE(overProgram);
        EXPECT_TRUE(modal);
        EXPECT_TRUE(WaitTitle(page, way.titleAfter));
        // The page is as it was and still answers; nothing was printed.
        EXPECT_EQ(Eval(*page->WebBrowser1, "document.getElementById('poem').textContent"), "春眠不觉晓，处处闻啼鸟。");
        EXPECT_EQ(frame->StatusBar1SimpleText(), statusBefore);
    }
    page->WebBrowser1->Navigate(Url("/target"));
    EXPECT_TRUE(WaitTitle(page, "目标页"));
}

TEST_F(Printing, APagePrintsToAPdfFileAndTheNextDialogOffersTheSameFile) {
    const std::string pdf = std::string(getenv("XDG_RUNTIME_DIR")) + "/教案.pdf";
    g_unlink(pdf.c_str());
    // In the dialog the teacher picks the file printer and names the file,
    // then presses Print.
    int phase = 0;
    GtkWidget* printButton = nullptr;
    Every100ms([&] {
        GtkWidget* dlg = PrintDialog();
        if (!dlg) return false;
        auto* ud = GTK_PRINT_UNIX_DIALOG(dlg);
        if (phase == 0) {
            GtkPrintSettings* s = gtk_print_settings_new();
            gtk_print_settings_set_printer(s, "Print to File");
            gtk_print_settings_set(s, GTK_PRINT_SETTINGS_OUTPUT_URI, FileUri(pdf).c_str());
            gtk_print_settings_set(s, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
            gtk_print_unix_dialog_set_settings(ud, s);
            g_object_unref(s);
            phase = 1;
            return false;
        }
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(ud);
        printButton = gtk_dialog_get_widget_for_response(GTK_DIALOG(dlg), GTK_RESPONSE_OK);
        if (!printer || g_strcmp0(gtk_printer_get_name(printer), "Print to File") != 0 || !printButton ||
            !gtk_widget_is_sensitive(printButton))
            return false;
        int x = 0, y = 0;
        if (!WidgetCenter(printButton, &x, &y)) return false;
        XClick(x, y);
        phase = 2;
        return true;
    });
    PrintFromContextMenu(page);
    ASSERT_TRUE(RunUntil([&] { return phase == 2 && !PrintDialog(); })) << "phase " << phase;
    // The print job writes the file from the loop in many small steps; look
    // at it a few times a second, not after every step.
    gint64 nextLook = 0;
    ASSERT_TRUE(RunUntil([&] {
        if (g_get_monotonic_time() < nextLook) return false;
        nextLook = g_get_monotonic_time() + 250 * 1000;
        return PdfText(pdf).find("春眠不觉晓") != std::string::npos;
    }, 20000));
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("教案：春晓"), std::string::npos) << text;
    EXPECT_NE(text.find("lesson-plan-for-printing"), std::string::npos) << text;
    EXPECT_EQ(frame->StatusBar1SimpleText(), "已送去打印 " + Url("/print"));
    GStatBuf st{};
    ASSERT_EQ(g_stat(pdf.c_str(), &st), 0);
    EXPECT_GT(st.st_size, 1000);

    // The next print, from the page this time, starts on the same printer and file.
    std::string offeredPrinter, offeredUri;
    Every100ms([&] {
        GtkWidget* dlg = PrintDialog();
        if (!dlg) return false;
        auto* ud = GTK_PRINT_UNIX_DIALOG(dlg);
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(ud);
        if (!printer) return false;  // the printers are still being listed
        offeredPrinter = gtk_printer_get_name(printer);
        GtkPrintSettings* s = gtk_print_unix_dialog_get_settings(ud);
        const char* uri = gtk_print_settings_get(s, GTK_PRINT_SETTINGS_OUTPUT_URI);
        offeredUri = uri ? uri : "";
        g_object_unref(s);
        XKey("Escape");
        return true;
    });
    PrintFromThePage(page);
    ASSERT_TRUE(RunUntil([&] { return !offeredPrinter.empty() && !PrintDialog(); }));
    EXPECT_EQ(offeredPrinter, "Print to File");
    EXPECT_EQ(offeredUri, FileUri(pdf));
    EXPECT_TRUE(WaitTitle(page, "打印之后"));
    g_unlink(pdf.c_str());
}
