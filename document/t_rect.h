// A rectangle as the windows keep it: Right and Bottom lie just outside, so a 64 x 64 tile at the
// origin is (0, 0, 64, 64).
#pragma once

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};
