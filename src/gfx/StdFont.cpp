#include "gfx/StdFont.h"

#include <cmath>

void StdFont::Size(double points) {
    // Four decimals, as the size is stored in fixed point.
    m_size10k = static_cast<int64_t>(std::nearbyint(points * 10000.0));
}
