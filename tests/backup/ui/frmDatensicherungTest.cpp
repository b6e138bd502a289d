#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "backup/DatensicherungLogik.h"
#include "backup/clsDateien.h"
#include "backup/ui/frmDatensicherung.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/Child.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

using namespace tav;

TEST(frmDatensicherungTest, ShowsTheBackupsAndTheContentOfTheChosenFolder) {
    test::TempFolder tmp;
    const QString wurzel = tmp.file(QStringLiteral("Sicherungen/"));
    auto anlegen = [&](const QString& name, const QStringList& dateien) {
        QDir().mkpath(wurzel + name);
        for (const QString& f : dateien) {
            QFile d(wurzel + name + QLatin1Char('/') + f);
            ASSERT_TRUE(d.open(QIODevice::WriteOnly));
        }
    };
    anlegen(QStringLiteral("DB2026_12_01_18_30_00"), clsDateien::datenbankNamen());
    anlegen(QStringLiteral("WO2026_12_02_09_15_00"), {QStringLiteral("Rechnung.doc"), QStringLiteral("Angebot.doc")});
    anlegen(QStringLiteral("DB2026_12_05_18_30_00"), clsDateien::datenbankNamen());
    SettingsStore settings;
    const RegistryNamen werte = RegistryNamen::forInstance(0);
    settings.saveSetting(werte.excel, wurzel);
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    SicherungsDateien d;
    d.arbeit = tmp.file(QStringLiteral("Tavomera.mdb"));
    d.zentral = tmp.file(QStringLiteral("Zentral.mdb"));
    d.beispiel = tmp.file(QStringLiteral("Beispiel.mdb"));
    d.programmordner = tmp.path();
    DatensicherungLogik logik(nullptr, dialogs, settings, shell, werte, d);
    logik.laden();
    frmDatensicherung f(logik, dialogs);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Datensicherung"));
    EXPECT_EQ(test::child<QLineEdit>(f, "txtAnzDSVorhanden")->text(), QStringLiteral("2"));
    EXPECT_EQ(QDir::fromNativeSeparators(test::child<QLineEdit>(f, "txtExcelSicherung")->text()), wurzel);
    test::saveScreenshot(f, QStringLiteral("frmDatensicherung-Einstellungen"));

    f.tabs()->setCurrentIndex(1);
    auto* liste = test::child<QListWidget>(f, "List1");
    ASSERT_EQ(liste->count(), 3);
    EXPECT_EQ(liste->item(0)->text(), QStringLiteral("05.12.2026 18:30:00 (Datenbanken)"));
    EXPECT_EQ(liste->item(1)->text(), QStringLiteral("02.12.2026 09:15:00 (Word-Dateien)"));
    liste->setCurrentRow(1);
    EXPECT_EQ(test::child<QLineEdit>(f, "txtAuswahl")->text(), QStringLiteral("02.12.2026 09:15:00 (Word-Dateien)"));
    auto* inhalt = test::child<QListWidget>(f, "lstFile");
    ASSERT_EQ(inhalt->count(), 2);
    EXPECT_EQ(inhalt->item(0)->text(), QStringLiteral("Angebot.doc"));
    test::saveScreenshot(f, QStringLiteral("frmDatensicherung-Wiederherstellung"));
    settings.deleteSection();
}
