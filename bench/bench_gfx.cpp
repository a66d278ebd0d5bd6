// Off-screen drawing costs on a strip-sized surface (1920 × 25), each next to
// the memory floor of touching the same bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gfx/CMemoryDC.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 25;
constexpr size_t kBytes = size_t{kW} * kH * sizeof(uint32_t);

void MemsetFloor(benchmark::State& state) {
    std::vector<uint32_t> px(size_t{kW} * kH);
    for (auto _ : state) {
        std::memset(px.data(), 0x5A, kBytes);
        benchmark::DoNotOptimize(px.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(MemsetFloor);

void FillRect(benchmark::State& state) {
    CMemoryDC dc;
    dc.Width(kW);
    dc.Height(kH);
    int32_t color = 0x00F0F0F0;
    for (auto _ : state) {
        dc.FillRect(0, 0, -1, -1, color);
        color ^= 0x00010101;
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(FillRect);

void MemcpyFloor(benchmark::State& state) {
    std::vector<uint32_t> a(size_t{kW} * kH, 1), b(size_t{kW} * kH);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), kBytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(MemcpyFloor);

void BitBlt(benchmark::State& state) {
    CMemoryDC src, dst;
    for (CMemoryDC* dc : {&src, &dst}) {
        dc->Width(kW);
        dc->Height(kH);
    }
    src.Cls(0x00123456);
    for (auto _ : state) {
        src.BitBlt(dst.hDc());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BitBlt);

void DrawGradient(benchmark::State& state) {
    CMemoryDC dc;
    dc.Width(kW);
    dc.Height(kH);
    for (auto _ : state) {
        dc.DrawGradient(0, 0, kW, kH, 0x00F0F0F0, 0x00FFFFFF, 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(DrawGradient);

void TextWidth(benchmark::State& state) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    auto font = std::make_shared<StdFont>();
    dc.Font(font);
    const std::u16string caption = u"小学语文教学资料下载";  // ten characters
    for (auto _ : state) benchmark::DoNotOptimize(dc.TextWidth(caption));
}
BENCHMARK(TextWidth);

}  // namespace

BENCHMARK_MAIN();
