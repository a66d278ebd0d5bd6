#include "platform/surface.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace user32 {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}

void* AllocateSurfaceBytes(size_t bytes) {
    if (bytes < kHugePage) {
        if (void* p = std::malloc(bytes ? bytes : 1)) return p;
        throw std::bad_alloc();
    }
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (!p) throw std::bad_alloc();
    madvise(p, rounded, MADV_HUGEPAGE);  // only a request: without huge pages nothing changes
    return p;
}

void FreeSurfaceBytes(void* p) noexcept { std::free(p); }

void Surface::Resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == width && h == height) return;
    Touch();
    std::vector<uint32_t, SurfaceAllocator<uint32_t>> next(static_cast<size_t>(w) * h, 0);
    const int cw = std::min(w, width);
    const int ch = std::min(h, height);
    for (int y = 0; y < ch; ++y)
        std::copy_n(pixels.data() + static_cast<size_t>(y) * width, cw,
                    next.data() + static_cast<size_t>(y) * w);
    pixels.swap(next);
    width = w;
    height = h;
}

}  // namespace user32
