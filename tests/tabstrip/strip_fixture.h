// A frame with an MDI client and page windows on the headless backend, and
// the strip attached to it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

class StripTest : public ::testing::Test {
protected:
    void SetUp() override {
        user32::ResetSysColors();
        user32::WNDCLASSA page;
        page.lpszClassName = "TestPageForm";
        user32::RegisterClassA(page);
        user32::WNDCLASSA frameCls;
        frameCls.lpszClassName = "TestFrame";
        user32::RegisterClassA(frameCls);
        frame = user32::CreateWindowExA(0, "TestFrame", "frame", WS_VISIBLE, 100, 50, 800, 600, 0);
        client = user32::CreateWindowExA(WS_EX_CLIENTEDGE | 0x4, "MDIClient", "", WS_CHILD | WS_VISIBLE,
                                         0, 60, 800, 500, frame);
        host::ControlHost h;
        h.parent = frame;
        h.userMode = true;
        h.propertyChanged = [this](const std::string& p) { changed.push_back(p); };
        strip = xsMDITabs::Create(h);
        strip->ColorChanged = [this](int32_t& c) { colors.push_back(c); };
        strip->TabClick = [this](HWND& h, int16_t& b, int32_t& x, int32_t& y) {
            clicks.push_back({h, b, x, y});
        };
        strip->TabBarClick = [this](int16_t& b, int32_t& x, int32_t& y) { barClicks.push_back({0, b, x, y}); };
        host::PropertyBag empty;
        strip->ReadProperties(empty);
        // The band is reserved at the client's next size change.
        user32::SetWindowPos(client, 0, 0, 60, 800, 520, SWP_NOZORDER);
    }
    void TearDown() override {
        strip->Terminate();
        strip.reset();
        user32::DestroyWindow(frame);
        user32::UnregisterClassA("TestPageForm");
        user32::UnregisterClassA("TestFrame");
    }
    HWND NewPage(const std::string& title) {
        MDICREATESTRUCTA cs;
        cs.szClass = "TestPageForm";
        cs.szTitle = title.c_str();
        cs.style = WS_MAXIMIZE;
        return static_cast<HWND>(user32::SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
    }
    HWND Active() { return static_cast<HWND>(user32::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)); }
    // Screen point of a band point in window coordinates of the client.
    POINT BandPoint(int x, int y) {
        RECT r;
        user32::GetWindowRect(client, &r);
        return POINT{r.left + x, r.top + y};
    }
    uint32_t Pixel(int x, int y) {
        auto s = user32::GetWindowSurface(client);
        return s->Row(y)[x];
    }
    static uint32_t Px(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

    struct Click {
        HWND hwnd;
        int16_t button;
        int32_t x, y;
    };
    HWND frame = 0, client = 0;
    std::shared_ptr<xsMDITabs> strip;
    std::vector<std::string> changed;
    std::vector<int32_t> colors;
    std::vector<Click> clicks, barClicks;
};
