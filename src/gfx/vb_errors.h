// The underlying errors CMemoryDC operations can meet (overflow of 32-bit
// arithmetic, a missing object), checked arithmetic that raises them, and the
// wrapper that turns them into the class's component error.
#pragma once

#include <cmath>
#include <cstdint>
#include <new>
#include <string>

#include "platform/component_error.h"

namespace gfx {

[[noreturn]] inline void RaiseOverflow() { throw ComponentError(6, ProgramName(), "Overflow"); }
[[noreturn]] inline void RaiseObjectNotSet() {
    throw ComponentError(91, ProgramName(), "Object variable or With block variable not set");
}

inline int32_t Add(int64_t a, int64_t b) {
    const int64_t r = a + b;
    if (r < INT32_MIN || r > INT32_MAX) RaiseOverflow();
    return static_cast<int32_t>(r);
}
inline int32_t Sub(int64_t a, int64_t b) { return Add(a, -b); }
inline int32_t Mul(int64_t a, int64_t b) {
    const int64_t r = a * b;  // both operands are 32-bit: no 64-bit overflow
    if (r < INT32_MIN || r > INT32_MAX) RaiseOverflow();
    return static_cast<int32_t>(r);
}
// Rounds to nearest with ties to even (the default floating-point mode).
inline int32_t RoundToInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= INT32_MIN && r <= INT32_MAX)) RaiseOverflow();
    return static_cast<int32_t>(r);
}

// Runs body; an error inside becomes error 5000 of "<program>.CMemoryDC.<op>".
template <typename F>
auto Guarded(const char* op, F&& body) -> decltype(body()) {
    auto wrap = [op](int32_t number, const std::string& description) {
        return ComponentError(5000, ProgramName() + ".CMemoryDC." + op,
                              ComponentError::Wrap("CMemoryDC component failure!", number, description, 0));
    };
    try {
        return body();
    } catch (const ComponentError& e) {
        throw wrap(e.number(), e.description());
    } catch (const std::bad_alloc&) {
        throw wrap(7, "Out of memory");
    }
}

}  // namespace gfx
