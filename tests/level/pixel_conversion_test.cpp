// The 16-bit word conversions between the level's 5-5-5 pages and 5-6-5 pictures.
#include <gtest/gtest.h>

#include <array>

#include "level/pixel_conversion.h"

TEST(PixelConversions, ExactValues) {
    EXPECT_EQ(pw::Expand1555To565Word(0xFFFF), 0xFFDF); // green's lowest bit clear, flag dropped
    EXPECT_EQ(pw::Expand1555To565Word(0x7C00), 0xF800);
    EXPECT_EQ(pw::Expand1555To565Word(0x03E0), 0x07C0);
    EXPECT_EQ(pw::Pack565To1555Word(0xFFFF), 0x7FFF);
    EXPECT_EQ(pw::Pack565To1555Word(0x0020), 0x0000); // green's lowest bit is lost

    // An odd byte count leaves the last byte alone.
    std::array<std::uint8_t, 3> block{0xFF, 0xFF, 0xAB};
    pw::Pack565To1555(block.data(), block.size());
    EXPECT_EQ(block, (std::array<std::uint8_t, 3>{0xFF, 0x7F, 0xAB}));
}
