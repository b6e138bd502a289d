#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/DeutscheQtTexte.h"

using namespace tav;

// The standard dialogs speak German: the file dialog of the document paths, the print dialog.
TEST(DeutscheQtTexteTest, QtsOwnTextsAreGerman) {
    ASSERT_TRUE(deutscheQtTexteLaden()) << "Qt's translations (qt6-translations-l10n) are missing";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
}
