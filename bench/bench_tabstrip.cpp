// One paint pass of the strip with 30 tabs at 1920 pixels, against a memcpy of
// the band's bytes and, where GTK is built in and a display is there, against
// a GtkNotebook with the same 30 captions drawn into an off-screen surface.
#include <benchmark/benchmark.h>
#if __has_include(<gtk/gtk.h>)
#include <gtk/gtk.h>
#define QHF_BENCH_GTK 1
#endif

#include <cstring>
#include <string>
#include <vector>

#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

namespace {
std::string Caption(int i) { return "第" + std::to_string(i) + "页 青禾坊"; }

struct Scene {
    HWND frame = 0, client = 0;
    std::shared_ptr<xsMDITabs> strip;
    explicit Scene(int style) {
        WNDCLASSA f;
        f.lpszClassName = "BenchFrame";
        RegisterClassA(f);
        WNDCLASSA p;
        p.lpszClassName = "BenchPageForm";
        RegisterClassA(p);
        frame = CreateWindowExA(0, "BenchFrame", "", WS_VISIBLE, 0, 0, 1920, 1000, 0);
        client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0, 1920, 900, frame);
        host::ControlHost h;
        h.parent = frame;
        strip = xsMDITabs::Create(h);
        host::PropertyBag bag;
        strip->ReadProperties(bag);
        strip->Style(style);
        SetWindowPos(client, 0, 0, 0, 1920, 901, SWP_NOZORDER);
        for (int i = 0; i < 30; ++i) {
            const std::string t = Caption(i);
            MDICREATESTRUCTA cs;
            cs.szClass = "BenchPageForm";
            cs.szTitle = t.c_str();
            cs.style = WS_MAXIMIZE;
            SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs));
        }
        strip->DrawTabs(client);
    }
    ~Scene() {
        strip->Terminate();
        DestroyWindow(frame);
    }
};

void BM_PaintPass(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state) scene.strip->DrawTabs(scene.client);
}
BENCHMARK(BM_PaintPass)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

// The same pass when the tab row has to be drawn again every time (as after
// a click on another tab or a new title), not taken from the previous pass.
void BM_PaintPassRowRedrawn(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scene.strip->m_tabRowMemo.key.clear();
        scene.strip->DrawTabs(scene.client);
    }
}
BENCHMARK(BM_PaintPassRowRedrawn)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_MemcpyBand(benchmark::State& state) {
    std::vector<uint32_t> a(1920 * 25, 1), b(1920 * 25);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyBand)->Unit(benchmark::kMicrosecond);

#ifdef QHF_BENCH_GTK
// The toolkit's own tab control with the same captions (each cut to the ten
// characters the strip shows), drawn whole into a 1920-pixel image surface.
void BM_GtkNotebookDraw(benchmark::State& state) {
    static const bool ok = gtk_init_check(nullptr, nullptr);
    if (!ok) {
        state.SkipWithError("no display for GTK");
        return;
    }
    GtkWidget* window = gtk_offscreen_window_new();
    GtkWidget* notebook = gtk_notebook_new();
    gtk_notebook_set_scrollable(GTK_NOTEBOOK(notebook), TRUE);
    for (int i = 0; i < 30; ++i) {
        gchar* cut = g_utf8_substring(Caption(i).c_str(), 0, 10);
        GtkWidget* label = gtk_label_new(cut);
        g_free(cut);
        gtk_notebook_append_page(GTK_NOTEBOOK(notebook), gtk_label_new(""), label);
    }
    gtk_widget_set_size_request(notebook, 1920, 25);
    gtk_container_add(GTK_CONTAINER(window), notebook);
    gtk_widget_show_all(window);
    while (gtk_events_pending()) gtk_main_iteration();
    const int h = gtk_widget_get_allocated_height(notebook);
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1920, h);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(img);
        gtk_widget_draw(notebook, cr);
        cairo_destroy(cr);
        cairo_surface_flush(img);
    }
    state.counters["height"] = h;
    cairo_surface_destroy(img);
    gtk_widget_destroy(window);
}
BENCHMARK(BM_GtkNotebookDraw)->Unit(benchmark::kMicrosecond);
#endif
}  // namespace

BENCHMARK_MAIN();
