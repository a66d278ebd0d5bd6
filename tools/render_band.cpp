// Renders the tab strip's band to PNG without a display:
//   render_band <style 0-4> <out.png> [width] [caption ...]
// The first caption's page is the active one; with no captions a sample set is used.
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <style 0-4> <out.png> [width] [caption ...]\n", argv[0]);
        return 2;
    }
    const int style = std::atoi(argv[1]);
    const std::string out = argv[2];
    const int width = argc > 3 ? std::atoi(argv[3]) : 640;
    std::vector<std::string> captions;
    for (int i = 4; i < argc; ++i) captions.push_back(argv[i]);
    if (captions.empty()) captions = {"青禾坊教育社区", "我的日志 - 青禾坊", "Loading...", "新手专区", "语文论坛"};

    WNDCLASSA frameCls;
    frameCls.lpszClassName = "RenderFrame";
    RegisterClassA(frameCls);
    WNDCLASSA pageCls;
    pageCls.lpszClassName = "RenderPageForm";
    RegisterClassA(pageCls);
    const HWND frame = CreateWindowExA(0, "RenderFrame", "", WS_VISIBLE, 0, 0, width, 200, 0);
    const HWND client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                        width, 120, frame);
    host::ControlHost host;
    host.parent = frame;
    auto strip = xsMDITabs::Create(host);
    host::PropertyBag bag;
    strip->ReadProperties(bag);
    SetWindowPos(client, 0, 0, 0, width, 121, SWP_NOZORDER);
    std::vector<HWND> pages;
    for (const auto& c : captions) {
        MDICREATESTRUCTA cs;
        cs.szClass = "RenderPageForm";
        cs.szTitle = c.c_str();
        cs.style = WS_MAXIMIZE;
        pages.push_back(static_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs))));
        strip->DrawTabs(client);
    }
    SendMessageA(client, WM_MDIACTIVATE, pages.front(), 0);
    strip->Style(style);
    strip->DrawTabs(client);

    auto s = GetWindowSurface(client);
    const int h = 25;  // the band
    cairo_surface_t* img = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(s->pixels.data()), CAIRO_FORMAT_RGB24, s->width, h, s->width * 4);
    const cairo_status_t st = cairo_surface_write_to_png(img, out.c_str());
    cairo_surface_destroy(img);
    strip->Terminate();
    DestroyWindow(frame);
    if (st != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
