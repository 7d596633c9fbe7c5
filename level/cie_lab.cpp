#include "level/cie_lab.h"

#include <array>
#include <cmath>

namespace pw {

namespace {

// sRGB component (0..255) to linear light (0..1), once per value.
const std::array<float, 256>& LinearTable() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int c = 0; c < 256; ++c) {
            const double v = c / 255.0;
            t[static_cast<std::size_t>(c)] =
                static_cast<float>(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

float LabF(float t) {
    constexpr float kEpsilon = 216.0f / 24389.0f;
    constexpr float kKappa = 24389.0f / 27.0f;
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0f) / 116.0f;
}

} // namespace

CieLab LabFromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const auto& linear = LinearTable();
    const float r = linear[red], g = linear[green], b = linear[blue];
    // sRGB primaries to XYZ, each row divided by the D65 white's coordinate.
    const float x = (0.4124564f * r + 0.3575761f * g + 0.1804375f * b) / 0.95047f;
    const float y = 0.2126729f * r + 0.7151522f * g + 0.0721750f * b;
    const float z = (0.0193339f * r + 0.1191920f * g + 0.9503041f * b) / 1.08883f;
    const float fx = LabF(x), fy = LabF(y), fz = LabF(z);
    return {116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
}

} // namespace pw
