// The frame's address bar layout at any width, and the band following the
// page captions.
#include "platform/user32.h"
#include "shell/frmAbout.h"
#include "shell_fixture.h"

using namespace e2e;

namespace {
constexpr int kTwips = 15;

struct BarLayout {
    int goLeft, stripWidth, boxWidth;
    bool operator==(const BarLayout&) const = default;
};

std::ostream& operator<<(std::ostream& os, const BarLayout& b) {
    return os << "{go " << b.goLeft << ", strip " << b.stripWidth << ", box " << b.boxWidth << "}";
}

BarLayout Read(frmMain& f) {
    int w = 0;
    gtk_widget_get_size_request(f.Host().AddressBox(), &w, nullptr);
    return {f.Host().GoButtonLeft(), f.Host().AddressStripWidth(), w};
}

// The design's four steps for a frame `widthPx` wide, in twips: go button
// 1095 wide, 75 from the right edge; strip from 120 to 75 before the button;
// the box from 255 inside the strip (17 pixels) to its right edge.
BarLayout Expected(int widthPx) {
    const int goLeft = (widthPx * kTwips - 1095 - 75) / kTwips;
    const int strip = (goLeft * kTwips - 120 - 75) / kTwips;
    return {goLeft, strip, strip - 255 / kTwips};
}

bool ResizeFrame(frmMain& f, int widthPx, int heightPx) {
    gtk_window_resize(f.Host().Window(), widthPx, heightPx);
    return RunUntil([&] {
        return gtk_widget_get_allocated_width(GTK_WIDGET(f.Host().Window())) == widthPx &&
               f.Host().GoButtonLeft() != 0;
    });
}
}  // namespace

TEST_F(ShellTest, TheAddressBarFollowsTheFrameWidthAndKeepsItsLastValidLayout) {
    ASSERT_TRUE(ResizeFrame(*frame, 800, 600));
    ASSERT_TRUE(RunUntil([&] { return Read(*frame) == Expected(800); })) << Read(*frame);
    GtkWidget* go = frame->Host().GoButton();
    EXPECT_EQ(gtk_widget_get_allocated_width(go), 1095 / kTwips);
    EXPECT_EQ(gtk_widget_get_allocated_height(go), 375 / kTwips);

    // Narrower than the go button and its margin: the failing steps are
    // skipped and the bar keeps its last valid layout; the frame still shrinks.
    ASSERT_TRUE(ResizeFrame(*frame, 60, 400));
    Pump(200);
    EXPECT_EQ(Read(*frame), Expected(800));

    ASSERT_TRUE(ResizeFrame(*frame, 1000, 600));
    EXPECT_TRUE(RunUntil([&] { return Read(*frame) == Expected(1000); })) << Read(*frame);
}

TEST_F(ShellTest, TheTabLabelFollowsThePageTitleWithoutOtherInput) {
    auto& strip = *frame->xsMDITabs1;
    frmWebBrowser& p = frame->NewPage(Url("/long-title"));
    ASSERT_TRUE(RunUntil([&] { return strip.m_colTabs.Count() == 2 && strip.m_aTabRect.size() == 3; }));
    const RECT loading = strip.m_aTabRect[2];
    ASSERT_EQ(p.Caption(), "Loading...");  // laid out before the title came
    ASSERT_TRUE(WaitTitle(&p, "这是一个超过十个字符的很长的网页标题"));
    // The caption change alone repaints the band: the tab is laid out for
    // the title's first ten characters instead of "Loading...".
    EXPECT_TRUE(RunUntil([&] {
        return strip.m_aTabRect.size() == 3 && strip.m_aTabRect[2].right != loading.right;
    }, 3000));
}

TEST_F(ShellTest, TheAboutDialogsControlsSitExactlyOnTheirDesignRectangles) {
    // Left, top, width, height in twips, bottom of the z-order first; the
    // etched separator is one 2-pixel strip across the dialog.
    struct Rect {
        const char* control;
        int left, top, width, height;
    };
    static constexpr Rect kDesign[] = {
        {"Command1", 3360, 2760, 1215, 375}, {"Label6", 120, 120, 4935, 255},
        {"Image1", 120, 480, 3435, 1350},    {"Label5", 120, 2160, 3135, 255},
        {"Line1", 0, 2520, 5355, 30},        {"Label2", 4440, 1080, 495, 255},
        {"Label1", 3600, 960, 690, 390},     {"lblDescription", 120, 2760, 2520, 495},
    };
    frmAbout::Show(nullptr, site->Root());
    GtkWidget* dlg = frmAbout::Current();
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(RunUntil([&] { return gtk_widget_get_mapped(dlg); }));
    Pump(200);
    GtkWidget* layout = gtk_bin_get_child(GTK_BIN(dlg));
    EXPECT_EQ(gtk_widget_get_allocated_width(layout), 5355 / kTwips);
    EXPECT_EQ(gtk_widget_get_allocated_height(layout), 3540 / kTwips);
    GList* children = gtk_container_get_children(GTK_CONTAINER(layout));
    ASSERT_EQ(g_list_length(children), std::size(kDesign));
    size_t i = 0;
    for (GList* l = children; l; l = l->next, ++i) {
        const Rect& d = kDesign[i];
        GtkAllocation a;
        gtk_widget_get_allocation(GTK_WIDGET(l->data), &a);
        // Whatever the substitute fonts measure, no control spills past its rectangle.
        EXPECT_EQ(a.x, d.left / kTwips) << d.control;
        EXPECT_EQ(a.y, d.top / kTwips) << d.control;
        EXPECT_EQ(a.width, d.width / kTwips) << d.control;
        EXPECT_EQ(a.height, d.height / kTwips) << d.control;
    }
    g_list_free(children);
    frmAbout::Unload();
}
