#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <tuple>

#include "engine/Database.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "startup/DatenbankLogik.h"
#include "startup/ui/frmDatenbank.h"
#include "store/Datenbankdateien.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

const QString kFalsch = QStringLiteral("Der Datenbankpfad ist nicht korrekt. Bitte überprüfen Sie die Einstellungen.");

class DatenbankLogikTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        dbfiles::createInstallation(netz.path());
        settings.deleteSection();
        settings.saveSetting(QStringLiteral("Pfad"), ordner.file(QStringLiteral("Tavomera.mdb")));
        settings.saveSetting(QStringLiteral("Zentral"), ordner.file(QStringLiteral("Zentral.mdb")));
        settings.saveSetting(QStringLiteral("Excel"), ordner.file(QStringLiteral("Sicherungen/Tavomera.mdb")));
        v.programmordner = ordner.path();
    }

    test::TempFolder ordner, netz;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    Variablen v;
};

}  // namespace

TEST_F(DatenbankLogikTest, ChosenFilesAreCheckedLikeAtStartUp) {
    DatenbankLogik d(v, dialogs, settings);
    d.laden();
    EXPECT_EQ(QStringList({d.beschriftungQuelle(), d.beschriftungZentrale()}),
              QStringList({"Quelldaten (Tavomera.mdb)", "Gemeinsame Daten (Zentral.mdb)"}));
    EXPECT_EQ(DatenbankLogik::filter(QStringLiteral("Zentral.mdb")),
              QStringLiteral("Zentral.mdb(Zentral.mdb)|Zentral.mdb|Access Datenbanken (*.mdb)|*.mdb|"));

    struct Fall {
        bool zentral;       // which button
        const char* datei;  // in the other installation
        bool angenommen;
    };
    const Fall faelle[] = {
        {false, "Zentral.mdb", false},                                                                 // no tblTarife
        {false, "Feiertag.mdb", false}, {false, "Tavomera.mdb", true}, {true, "Feiertag.mdb", false},  // no tblBelegung
        {true, "Zentral.mdb", true},
    };
    for (const Fall& f : faelle) {
        dialogs.clear();
        const QString vorher = f.zentral ? d.zentrale() : d.datenbankAktuell();
        dialogs.answerFile(netz.file(QString::fromLatin1(f.datei)));
        EXPECT_EQ(f.zentral ? d.aendernZentral() : d.aendern(), f.angenommen) << f.datei;
        const QString nachher = f.zentral ? d.zentrale() : d.datenbankAktuell();
        EXPECT_EQ(nachher, f.angenommen ? netz.file(QString::fromLatin1(f.datei)) : vorher) << f.datei;
        EXPECT_EQ(dialogs.texts().value(1), f.angenommen ? QString() : kFalsch) << f.datei;
        EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Datenbankpfad wählen"));
    }
    dialogs.clear();
    dialogs.answerFile(QString());
    EXPECT_FALSE(d.aendern()) << "a cancelled file dialog changes nothing";
    EXPECT_EQ(d.datenbankAktuell(), netz.file(QStringLiteral("Tavomera.mdb")));
    dialogs.answerFile(QStringLiteral("/backup/Tavomera.mdb"));
    EXPECT_TRUE(d.aendernExcel());
    EXPECT_EQ(d.excelSicherung(), QStringLiteral("/backup/Tavomera.mdb"));
}

TEST_F(DatenbankLogikTest, SavingRelinksAndStoresThePathsOrRefusesWithoutWritingAnything) {
    DatenbankLogik d(v, dialogs, settings);
    d.laden();
    dialogs.answerFile(netz.file(QStringLiteral("Tavomera.mdb")));
    d.aendern();
    dialogs.answerFile(netz.file(QStringLiteral("Zentral.mdb")));
    d.aendernZentral();
    // The central file goes away before saving.
    QFile::remove(netz.file(QStringLiteral("Zentral.mdb")));
    dialogs.clear();
    EXPECT_FALSE(d.speichernUndStarten());
    EXPECT_EQ(std::tuple(dialogs.texts(), dialogs.last().icon),
              std::tuple(QStringList{QStringLiteral("Bitte überprüfen Sie die Datenbankpfade.")}, Icon::Exclamation));
    EXPECT_EQ(std::tuple(settings.getSetting(QStringLiteral("Pfad")), settings.getSetting(QStringLiteral("Zentral"))),
              std::tuple(ordner.file(QStringLiteral("Tavomera.mdb")), ordner.file(QStringLiteral("Zentral.mdb"))))
        << "nothing stored";

    dialogs.clear();
    dialogs.answerFile(ordner.file(QStringLiteral("Zentral.mdb")));
    d.aendernZentral();
    EXPECT_TRUE(d.speichernUndStarten());
    EXPECT_EQ(std::tuple(settings.getSetting(QStringLiteral("Pfad")), settings.getSetting(QStringLiteral("Zentral"))),
              std::tuple(netz.file(QStringLiteral("Tavomera.mdb")), ordner.file(QStringLiteral("Zentral.mdb"))));
    EXPECT_TRUE(verknuepfung::zeigtAuf(ordner.file(QStringLiteral("Lokal.mdb")), netz.file(QStringLiteral("Tavomera.mdb")),
                                       ordner.file(QStringLiteral("Zentral.mdb"))));
}

TEST_F(DatenbankLogikTest, NamingTheInstallationWritesTheTitle) {
    v.instanz = 1;
    DatenbankLogik d(v, dialogs, settings);
    EXPECT_TRUE(d.nameVergeben().isEmpty()) << "without a chosen working database: no name";
    EXPECT_EQ(dialogs.texts(), QStringList{kFalsch});
    d.laden();
    dialogs.answerText(QStringLiteral("Haus Sonnenschein"));
    EXPECT_EQ(d.nameVergeben(), QStringLiteral("Haus Sonnenschein"));
    EXPECT_EQ(std::tuple(dialogs.last().text, dialogs.last().caption),
              std::tuple(QStringLiteral("Bitte wählen Sie einem Namen für diese Anwendung:"), QStringLiteral("Namen vergeben")));
    EXPECT_EQ(Parameter(*Database::open(ordner.file(QStringLiteral("Tavomera.mdb")))).read(QStringLiteral("titel"))->text(1),
              QStringLiteral("Haus Sonnenschein"));
    EXPECT_EQ(std::tuple(v.titel, dialogs.defaultCaption()),
              std::tuple(QStringLiteral("Haus Sonnenschein"), QStringLiteral("Haus Sonnenschein")));

    dialogs.answerText(QString());
    EXPECT_EQ(d.nameVergeben(), QStringLiteral("Tavomera 1")) << "an empty answer";
    EXPECT_EQ(Database::open(ordner.file(QStringLiteral("Tavomera.mdb")))
                  ->scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = 'titel'"))
                  .toInt(),
              1);
}

TEST_F(DatenbankLogikTest, TheWindowShowsThePathsAndForwardsItsButtons) {
    frmDatenbank f(v, dialogs, settings);
    auto* aktuell = f.findChild<QLineEdit*>(QStringLiteral("txtDatenbankAktuell"));
    ASSERT_TRUE(aktuell);
    EXPECT_EQ(aktuell->text(), QDir::toNativeSeparators(ordner.file(QStringLiteral("Tavomera.mdb"))));
    f.findChild<QCheckBox*>(QStringLiteral("chBeispieldaten"))->setChecked(true);
    EXPECT_TRUE(v.beispieldaten);
    {
        frmDatenbank abgebrochen(v, dialogs, settings);
        abgebrochen.findChild<QCheckBox*>(QStringLiteral("chBeispieldaten"))->setChecked(false);
        abgebrochen.findChild<QPushButton*>(QStringLiteral("cmdAbbrechen"))->click();
        EXPECT_TRUE(v.beispieldaten) << "Abbrechen keeps nothing";
    }
    dialogs.answerFile(netz.file(QStringLiteral("Tavomera.mdb")));
    f.findChild<QPushButton*>(QStringLiteral("cmdÄndern"))->click();
    EXPECT_EQ(aktuell->text(), QDir::toNativeSeparators(netz.file(QStringLiteral("Tavomera.mdb"))));

    QSignalSpy gespeichert(&f, &frmDatenbank::gespeichert);
    QSignalSpy ende(&f, &frmDatenbank::beenden);
    f.findChild<QPushButton*>(QStringLiteral("cmdSchliessen"))->click();
    EXPECT_EQ(std::tuple(gespeichert.count(), f.gespeichertWurde(), f.result()), std::tuple(1, true, int(QDialog::Accepted)));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Pfad")), netz.file(QStringLiteral("Tavomera.mdb")));
    f.findChild<QPushButton*>(QStringLiteral("cmdEnde"))->click();
    EXPECT_EQ(ende.count(), 1);
}
