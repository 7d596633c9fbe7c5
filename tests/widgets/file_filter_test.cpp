// Dialog filters: the program's "description|patterns" lists as Qt's filter entries.
#include <gtest/gtest.h>

#include <QStringList>

#include "widgets/file_filter.h"

TEST(FileFilter, DescriptionsAndPatternsBecomeQtEntries) {
    EXPECT_EQ(QtFileFilter("Windows Bitmap (*.bmp)|*.bmp"), "Windows Bitmap (*.bmp) (*.bmp)");
    EXPECT_EQ(QtFileFilter("A (*.a,*.b)|*.a;*.b|C|*.c"), "A (*.a,*.b) (*.a *.b);;C (*.c)");
}

TEST(FileFilter, OnlyAnEntryOfOnePatternNamesTheSuffixOfATypedName) {
    EXPECT_EQ(SingleSuffix("Portable Network Graphics (*.png) (*.png)"), "png");
    for (const char* entry : {"A (*.a *.b)", "All files (*.*)", "Any (*)", "No patterns"})
        EXPECT_EQ(SingleSuffix(entry), "") << entry;
}

TEST(FileFilter, ATypedNameTakesTheExtensionOfTheTypeChosenLast) {
    const QStringList types =
        QtFileFilter("Windows Bitmap|*.bmp|Portable Network Graphics|*.png|All files|*.*").split(";;");
    ASSERT_EQ(types.size(), 3);
    EXPECT_EQ(TypedNameSuffix(types[1], "bmp"), "png");
    EXPECT_EQ(TypedNameSuffix(types[0], "png"), "bmp");
    EXPECT_EQ(TypedNameSuffix(types[2], "bmp"), "bmp");
}
