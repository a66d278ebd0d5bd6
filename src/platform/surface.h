// The pixel surface of one window: what the window looks like, non-client
// area included. Window device contexts draw into it; the backend shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace user32 {

// 32 bits per pixel, 0x00RRGGBB in a uint32_t (the layout cairo calls RGB24),
// rows top-down, stride = width.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Keeps the overlapping top-left part of the old image.
    void Resize(int w, int h);
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

}  // namespace user32
