#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

// Without a font that fontconfig can see, Qt draws every character as an empty box and no
// screenshot shows it; the install script must bring one.
TEST(FontsTest, AtLeastOneFontFamilyIsInstalled) { EXPECT_FALSE(QFontDatabase::families().isEmpty()); }
