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
using namespace Qt::StringLiterals;

namespace {

const QString kFalsch = u"Der Datenbankpfad ist nicht korrekt. Bitte überprüfen Sie die Einstellungen."_s;

class DatenbankLogikTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        dbfiles::createInstallation(netz.path());
        settings.deleteSection();
        settings.saveSetting(u"Pfad"_s, ordner.file(u"Tavomera.mdb"_s));
        settings.saveSetting(u"Zentral"_s, ordner.file(u"Zentral.mdb"_s));
        settings.saveSetting(u"Excel"_s, ordner.file(u"Sicherungen/Tavomera.mdb"_s));
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
    EXPECT_EQ(DatenbankLogik::filter(u"Zentral.mdb"_s), u"Zentral.mdb(Zentral.mdb)|Zentral.mdb|Access Datenbanken (*.mdb)|*.mdb|"_s);

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
        SCOPED_TRACE(f.datei);
        EXPECT_EQ(f.zentral ? d.aendernZentral() : d.aendern(), f.angenommen);
        EXPECT_EQ(f.zentral ? d.zentrale() : d.datenbankAktuell(), f.angenommen ? netz.file(QString::fromLatin1(f.datei)) : vorher);
        EXPECT_EQ(dialogs.texts(),
                  f.angenommen ? QStringList{u"Datenbankpfad wählen"_s} : QStringList({u"Datenbankpfad wählen"_s, kFalsch}));
    }
    dialogs.clear();
    dialogs.answerFile(QString());
    EXPECT_FALSE(d.aendern()) << "a cancelled file dialog changes nothing";
    EXPECT_EQ(d.datenbankAktuell(), netz.file(u"Tavomera.mdb"_s));
    dialogs.answerFile(u"/backup/Tavomera.mdb"_s);
    EXPECT_TRUE(d.aendernExcel());
    EXPECT_EQ(d.excelSicherung(), u"/backup/Tavomera.mdb"_s);
}

TEST_F(DatenbankLogikTest, SavingRelinksAndStoresThePathsOrRefusesWithoutWritingAnything) {
    DatenbankLogik d(v, dialogs, settings);
    d.laden();
    dialogs.answerFile(netz.file(u"Tavomera.mdb"_s));
    d.aendern();
    dialogs.answerFile(netz.file(u"Zentral.mdb"_s));
    d.aendernZentral();
    // The central file goes away before saving.
    QFile::remove(netz.file(u"Zentral.mdb"_s));
    dialogs.clear();
    EXPECT_FALSE(d.speichernUndStarten());
    EXPECT_EQ(std::tuple(dialogs.texts(), dialogs.last().icon),
              std::tuple(QStringList{u"Bitte überprüfen Sie die Datenbankpfade."_s}, Icon::Exclamation));
    EXPECT_EQ(std::tuple(settings.getSetting(u"Pfad"_s), settings.getSetting(u"Zentral"_s)),
              std::tuple(ordner.file(u"Tavomera.mdb"_s), ordner.file(u"Zentral.mdb"_s)))
        << "nothing stored";

    dialogs.clear();
    dialogs.answerFile(ordner.file(u"Zentral.mdb"_s));
    d.aendernZentral();
    EXPECT_TRUE(d.speichernUndStarten());
    EXPECT_EQ(std::tuple(settings.getSetting(u"Pfad"_s), settings.getSetting(u"Zentral"_s)),
              std::tuple(netz.file(u"Tavomera.mdb"_s), ordner.file(u"Zentral.mdb"_s)));
    EXPECT_TRUE(verknuepfung::zeigtAuf(ordner.file(u"Lokal.mdb"_s), netz.file(u"Tavomera.mdb"_s), ordner.file(u"Zentral.mdb"_s)));
}

TEST_F(DatenbankLogikTest, NamingTheInstallationWritesTheTitle) {
    v.instanz = 1;
    DatenbankLogik d(v, dialogs, settings);
    EXPECT_TRUE(d.nameVergeben().isEmpty()) << "without a chosen working database: no name";
    EXPECT_EQ(dialogs.texts(), QStringList{kFalsch});
    d.laden();
    dialogs.answerText(u"Haus Sonnenschein"_s);
    EXPECT_EQ(d.nameVergeben(), u"Haus Sonnenschein"_s);
    EXPECT_EQ(std::tuple(dialogs.last().text, dialogs.last().caption),
              std::tuple(u"Bitte wählen Sie einem Namen für diese Anwendung:"_s, u"Namen vergeben"_s));
    EXPECT_EQ(Parameter(*Database::open(ordner.file(u"Tavomera.mdb"_s))).read(u"titel"_s)->text(1), u"Haus Sonnenschein"_s);
    EXPECT_EQ(std::tuple(v.titel, dialogs.defaultCaption()), std::tuple(u"Haus Sonnenschein"_s, u"Haus Sonnenschein"_s));

    dialogs.answerText(QString());
    EXPECT_EQ(d.nameVergeben(), u"Tavomera 1"_s) << "an empty answer";
    EXPECT_EQ(Database::open(ordner.file(u"Tavomera.mdb"_s))->scalar(u"SELECT Count(*) FROM tblParameter WHERE Satz = 'titel'"_s).toInt(),
              1);
}

TEST_F(DatenbankLogikTest, TheWindowShowsThePathsAndForwardsItsButtons) {
    frmDatenbank f(v, dialogs, settings);
    auto* aktuell = f.findChild<QLineEdit*>(u"txtDatenbankAktuell"_s);
    ASSERT_TRUE(aktuell);
    EXPECT_EQ(aktuell->text(), QDir::toNativeSeparators(ordner.file(u"Tavomera.mdb"_s)));
    f.findChild<QCheckBox*>(u"chBeispieldaten"_s)->setChecked(true);
    EXPECT_TRUE(v.beispieldaten);
    {
        frmDatenbank abgebrochen(v, dialogs, settings);
        abgebrochen.findChild<QCheckBox*>(u"chBeispieldaten"_s)->setChecked(false);
        abgebrochen.findChild<QPushButton*>(u"cmdAbbrechen"_s)->click();
        EXPECT_TRUE(v.beispieldaten) << "Abbrechen keeps nothing";
    }
    dialogs.answerFile(netz.file(u"Tavomera.mdb"_s));
    f.findChild<QPushButton*>(u"cmdÄndern"_s)->click();
    EXPECT_EQ(aktuell->text(), QDir::toNativeSeparators(netz.file(u"Tavomera.mdb"_s)));

    QSignalSpy gespeichert(&f, &frmDatenbank::gespeichert);
    QSignalSpy ende(&f, &frmDatenbank::beenden);
    f.findChild<QPushButton*>(u"cmdSchliessen"_s)->click();
    EXPECT_EQ(std::tuple(gespeichert.count(), f.gespeichertWurde(), f.result()), std::tuple(1, true, int(QDialog::Accepted)));
    EXPECT_EQ(settings.getSetting(u"Pfad"_s), netz.file(u"Tavomera.mdb"_s));
    f.findChild<QPushButton*>(u"cmdEnde"_s)->click();
    EXPECT_EQ(ende.count(), 1);
}
