// CIE L*a*b* coordinates of 8-bit sRGB colours (D65 white), so that colours can be compared by how far
// apart they look: the squared Euclidean distance between two Lab colours is ΔE76 squared.
#pragma once

#include <cstdint>

namespace pw {

struct CieLab {
    float l = 0, a = 0, b = 0;
};

CieLab LabFromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

inline float DeltaE76Squared(const CieLab& x, const CieLab& y) {
    const float dl = x.l - y.l, da = x.a - y.a, db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

} // namespace pw
