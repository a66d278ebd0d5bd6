#include "platform/gdi/text_runs.h"

namespace gdi32::detail {

std::shared_ptr<TextRun> TextRunCache::Find(const std::string& key) const {
    auto it = runs_.find(key);
    return it == runs_.end() ? nullptr : it->second;
}

std::shared_ptr<TextRun> TextRunCache::Insert(const std::string& key, TextRun run) {
    auto shared = std::make_shared<TextRun>(std::move(run));
    bytes_ += key.size() + shared->coverage.size();
    runs_[key] = shared;
    Trim();
    return shared;
}

void TextRunCache::AddedCoverage(size_t bytes) {
    bytes_ += bytes;
    Trim();
}

// Titles change as pages load, so old runs pile up; past the limits the whole
// set is dropped and the captions still shown are shaped again on next use.
void TextRunCache::Trim() {
    if (runs_.size() <= kMaxRuns && bytes_ <= kMaxBytes) return;
    runs_.clear();
    bytes_ = 0;
}

TextRunCache& TextRuns() {
    static TextRunCache cache;
    return cache;
}

}  // namespace gdi32::detail
