#include "platform/backend.h"

#include <algorithm>

namespace user32 {

namespace {
HeadlessBackend g_headless;
WindowBackend* g_backend = nullptr;
}  // namespace

size_t HeadlessBackend::Count(const std::string& what) const {
    return static_cast<size_t>(std::count_if(events.begin(), events.end(),
                                             [&](const Event& e) { return e.what == what; }));
}

void SetBackend(WindowBackend* backend) { g_backend = backend; }

WindowBackend& Backend() { return g_backend ? *g_backend : g_headless; }

}  // namespace user32
