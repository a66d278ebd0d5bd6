// Shaped text kept between calls. Captions come back on every repaint with
// the same font, so each (font, text) is laid out by Pango once: its measured
// size right away, the coverage of its cell the first time it is drawn.
// Internal to src/platform/gdi; like the rest of the layer, one thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace gdi32::detail {

struct TextRun {
    int width = 0;   // logical extent of the text
    int height = 0;  // its lines times the font's line height
    // Antialiased coverage (0..255) of the cell, origin at the cell's top
    // left; empty until the run is first drawn.
    int coverW = 0;
    int coverH = 0;
    std::vector<uint8_t> coverage;
};

class TextRunCache {
public:
    // The run of a key, or null. Callers hold the shared pointer for as long
    // as they use the run: a later insertion may drop it from the cache.
    std::shared_ptr<TextRun> Find(const std::string& key) const;
    std::shared_ptr<TextRun> Insert(const std::string& key, TextRun run);
    // Accounts the bytes of coverage added to a run already in the cache.
    void AddedCoverage(size_t bytes);

    static constexpr size_t kMaxRuns = 2048;
    static constexpr size_t kMaxBytes = 8u << 20;

private:
    void Trim();
    std::unordered_map<std::string, std::shared_ptr<TextRun>> runs_;
    size_t bytes_ = 0;
};

TextRunCache& TextRuns();

}  // namespace gdi32::detail
