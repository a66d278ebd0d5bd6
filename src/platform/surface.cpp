#include "platform/surface.h"

#include <algorithm>

namespace user32 {

void Surface::Resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == width && h == height) return;
    std::vector<uint32_t> next(static_cast<size_t>(w) * h, 0);
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
