// The pixel surface of one window: what the window looks like, non-client
// area included. Window device contexts draw into it; the backend shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace user32 {

// Window surfaces are megabytes large and drawn down their columns as well as
// along their rows (frame lines run the whole height). A row is wider than a
// page, so on ordinary pages every row of a column costs an address
// translation; large surfaces therefore ask for huge pages where the system
// offers them on request.
void* AllocateSurfaceBytes(size_t bytes);
void FreeSurfaceBytes(void* p) noexcept;

template <typename T>
struct SurfaceAllocator {
    using value_type = T;
    SurfaceAllocator() = default;
    template <typename U>
    SurfaceAllocator(const SurfaceAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(AllocateSurfaceBytes(n * sizeof(T))); }
    void deallocate(T* p, size_t) noexcept { FreeSurfaceBytes(p); }
    bool operator==(const SurfaceAllocator&) const { return true; }
};

// 32 bits per pixel, 0x00RRGGBB in a uint32_t (the layout cairo calls RGB24),
// rows top-down, stride = width.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t, SurfaceAllocator<uint32_t>> pixels;
    // Counts the times anything may have drawn on the surface (or resized it):
    // a drawing that finds the count where it left it finds its own pixels.
    uint64_t generation = 0;
    void Touch() { ++generation; }

    // Keeps the overlapping top-left part of the old image.
    void Resize(int w, int h);
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

}  // namespace user32
