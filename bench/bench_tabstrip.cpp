// One paint pass of the strip with 30 tabs at 1920 pixels, against a memcpy of
// the band's bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

namespace {
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
            const std::string t = "第" + std::to_string(i) + "页 青禾坊";
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

void BM_MemcpyBand(benchmark::State& state) {
    std::vector<uint32_t> a(1920 * 25, 1), b(1920 * 25);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyBand)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
