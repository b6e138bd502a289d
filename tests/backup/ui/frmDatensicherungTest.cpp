#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "backup/SicherungFixture.h"
#include "backup/clsDateien.h"
#include "backup/ui/frmDatensicherung.h"
#include "support/Child.h"
#include "support/Screenshot.h"

using namespace tav;

class frmDatensicherungTest : public test::SicherungFixture {};

TEST_F(frmDatensicherungTest, ShowsTheBackupsAndTheContentOfTheChosenFolder) {
    ordner(QStringLiteral("DB2026_12_01_18_30_00"), clsDateien::datenbankNamen());
    ordner(QStringLiteral("WO2026_12_02_09_15_00"), {QStringLiteral("Rechnung.doc"), QStringLiteral("Angebot.doc")});
    ordner(QStringLiteral("DB2026_12_05_18_30_00"), clsDateien::datenbankNamen());
    auto l = logik();
    frmDatensicherung f(*l, dialogs_);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Datensicherung"));
    EXPECT_EQ(test::child<QLineEdit>(f, "txtAnzDSVorhanden")->text(), QStringLiteral("2"));
    EXPECT_EQ(QDir::fromNativeSeparators(test::child<QLineEdit>(f, "txtExcelSicherung")->text()), wurzel_);
    test::saveScreenshot(f, QStringLiteral("frmDatensicherung-Einstellungen"));

    f.tabs()->setCurrentIndex(1);
    auto* liste = test::child<QListWidget>(f, "List1");
    ASSERT_EQ(liste->count(), 3);
    liste->setCurrentRow(1);
    EXPECT_EQ(test::child<QLineEdit>(f, "txtAuswahl")->text(), QStringLiteral("02.12.2026 09:15:00 (Word-Dateien)"));
    auto* inhalt = test::child<QListWidget>(f, "lstFile");
    ASSERT_EQ(inhalt->count(), 2);
    EXPECT_EQ(inhalt->item(0)->text(), QStringLiteral("Angebot.doc"));
    test::saveScreenshot(f, QStringLiteral("frmDatensicherung-Wiederherstellung"));
}
