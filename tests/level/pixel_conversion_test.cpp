// The 16-bit word conversions between the level's 5-5-5 pages and 5-6-5 pictures.
#include <gtest/gtest.h>

#include "level/pixel_conversion.h"

TEST(PixelConversions, ExactValues) {
    EXPECT_EQ(pw::Expand1555To565Word(0xFFFF), 0xFFDF); // green's lowest bit clear, flag dropped
    EXPECT_EQ(pw::Expand1555To565Word(0x7C00), 0xF800);
    EXPECT_EQ(pw::Expand1555To565Word(0x03E0), 0x07C0);
    EXPECT_EQ(pw::Pack565To1555Word(0xFFFF), 0x7FFF);
    EXPECT_EQ(pw::Pack565To1555Word(0x0020), 0x0000); // green's lowest bit is lost

    // Each word of a 5-6-5 picture packed back gives the level word it came from, less the flag.
    for (unsigned word = 0; word < 0x8000; ++word)
        ASSERT_EQ(pw::Pack565To1555Word(pw::Expand1555To565Word(static_cast<std::uint16_t>(word))), word);
}
