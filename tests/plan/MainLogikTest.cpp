#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <tuple>

#include "plan/MainLogik.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "store/AlteDatenbank.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/ScriptedFenster.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// A program folder with the files of an installation and the settings pointing at them; the
// sample database holds the shipped sample data.
class MainLogikTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        beispieldaten::anlegen(*Database::open(datei(QStringLiteral("Beispiel.mdb"))), QDate(2024, 3, 1));
        settings.deleteSection();
        settings.saveSetting(QStringLiteral("Pfad"), datei(QStringLiteral("Tavomera.mdb")));
        settings.saveSetting(QStringLiteral("Zentral"), datei(QStringLiteral("Zentral.mdb")));
        settings.saveSetting(QStringLiteral("BeispielPfad"), datei(QStringLiteral("Beispiel.mdb")));
        v.programmordner = ordner.path();
    }
    QString datei(const QString& name) const { return ordner.file(name); }
    QString frage() const { return QStringLiteral("Möchten Sie die Anwendung: 'Tavomera' zunächst mit Beispieldaten ansehen?"); }
    int zahl(const QString& datei, const QString& sql) { return Database::open(this->datei(datei))->scalar(sql).toInt(); }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    test::ScriptedFenster fenster;
    Variablen v;
    ClockOverride heute{QDate(2025, 6, 10)};
};

}  // namespace

TEST_F(MainLogikTest, ANewDatabaseAnsweredNoGetsItsInitialContentsAndTheWindowStarts) {
    MainLogik logik(v, dialogs, settings, fenster);
    dialogs.answer(Answer::No);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Bereit);
    ASSERT_EQ(dialogs.texts(), QStringList{frage()});
    EXPECT_EQ(dialogs.last().buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(dialogs.unanswered().isEmpty());

    EXPECT_EQ(zahl(QStringLiteral("Tavomera.mdb"), QStringLiteral("SELECT Count(*) FROM tbZimmernummern")), 10);
    EXPECT_EQ(std::tuple(v.raeume, v.tage, v.angebotArt), std::tuple(9, 35, 4)) << "display settings of the sample database";
    EXPECT_EQ(v.belegungsartNamen.value(4), QStringLiteral("Angebot"));
    EXPECT_EQ(logik.fensterTitel(), QStringLiteral("Tavomera Version 3.62"));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Version")), QStringLiteral("3.0"));
    ASSERT_TRUE(v.db);
    EXPECT_EQ(v.db->path(), QFileInfo(datei(QStringLiteral("Lokal.mdb"))).absoluteFilePath());
    EXPECT_FALSE(v.beispieldaten);

    // The next start finds a database that is not new: no question.
    dialogs.clear();
    MainLogik zweiter(v, dialogs, settings, fenster);
    EXPECT_EQ(zweiter.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(MainLogikTest, YesMovesTheSampleDataToTodayAndRestartsOnThem) {
    MainLogik logik(v, dialogs, settings, fenster);
    dialogs.answer(Answer::Yes);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::NeustartBeispiel);
    EXPECT_TRUE(v.beispieldaten);
    EXPECT_TRUE(v.neustartLaeuft);
    EXPECT_EQ(zahl(QStringLiteral("Tavomera.mdb"), QStringLiteral("SELECT Count(*) FROM tbZimmernummern")), 0) << "nothing filled";
    EXPECT_EQ(
        Database::open(datei(QStringLiteral("Beispiel.mdb")))->scalar(QStringLiteral("SELECT Von FROM tblBelegung ORDER BY ID")).toDate(),
        QDate(2025, 6, 10));

    // The restart: every link reaches the sample file, and the sample data are shown.
    dialogs.clear();
    MainLogik neu(v, dialogs, settings, fenster);
    EXPECT_EQ(neu.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::zeigtAuf(datei(QStringLiteral("Lokal.mdb")), datei(QStringLiteral("Beispiel.mdb")),
                                       datei(QStringLiteral("Beispiel.mdb"))));
    EXPECT_GT(v.db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 100);
    EXPECT_EQ(v.arbeitsPfad, datei(QStringLiteral("Beispiel.mdb")));

    // Leaving the sample data: the links go back to the working and the central database.
    v.beispieldaten = false;
    v.beispielAusMenue = true;  // from the menu: the new working database is filled without asking
    MainLogik zurueck(v, dialogs, settings, fenster);
    EXPECT_EQ(zurueck.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::zeigtAuf(datei(QStringLiteral("Lokal.mdb")), datei(QStringLiteral("Tavomera.mdb")),
                                       datei(QStringLiteral("Zentral.mdb"))));
    EXPECT_EQ(v.db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), 0);
    EXPECT_EQ(v.db->scalar(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")).toInt(), 10);
}

TEST_F(MainLogikTest, CancelEndsWithoutFillingAndTheMenuNeverAsks) {
    {
        MainLogik logik(v, dialogs, settings, fenster);
        dialogs.answer(Answer::Cancel);
        EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Beenden);
        EXPECT_EQ(zahl(QStringLiteral("Tavomera.mdb"), QStringLiteral("SELECT Count(*) FROM tbZimmernummern")), 0);
        EXPECT_FALSE(v.beispieldaten);
    }
    dialogs.clear();
    v.beispielAusMenue = true;
    MainLogik logik(v, dialogs, settings, fenster);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "coming from the sample-data menu counts as No";
    EXPECT_EQ(zahl(QStringLiteral("Tavomera.mdb"), QStringLiteral("SELECT Count(*) FROM tbZimmernummern")), 10);
}

TEST_F(MainLogikTest, ABrokenLinkDatabaseLeadsToTheLocationsDialog) {
    QFile::remove(datei(QStringLiteral("Tavomera.mdb")));
    MainLogik logik(v, dialogs, settings, fenster);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Datenbankdialog);
    EXPECT_TRUE(v.neustartLaeuft);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(MainLogikTest, AnEmptyPathTakesTheDefaultFileAndWritesIt) {
    settings.deleteSetting(QStringLiteral("Pfad"));
    MainLogik logik(v, dialogs, settings, fenster);
    dialogs.answer(Answer::No);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_EQ(settings.getSetting(QStringLiteral("Pfad")), datei(QStringLiteral("Tavomera.mdb")));
}

TEST_F(MainLogikTest, MissingDisplayOrColourSettingsAreAskedForAndTheStartGoesOn) {
    {
        auto sample = Database::open(datei(QStringLiteral("Beispiel.mdb")));
        sample->execute(QStringLiteral("DELETE * FROM tblParameter WHERE Satz = 'ZeitDarstellung'"));
    }
    MainLogik logik(v, dialogs, settings, fenster);
    fenster.setVorhanden(Ziel::Einstellungen);
    // A working database with rooms but without colours.
    {
        auto link = Database::open(datei(QStringLiteral("Lokal.mdb")));
        Parameter(*link).write(QStringLiteral("Räumlichkeiten"), {{1, QStringLiteral("9")}});
        Parameter(*link).write(QStringLiteral("titel"), {{1, QStringLiteral("Haus am See")}});
    }
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Bereit);
    const QString text = QStringLiteral("Zum Betrieb von Haus am See werden noch einige Angaben benötigt.");
    EXPECT_EQ(dialogs.texts(), (QStringList{text, text}));
    for (const auto& box : dialogs.shown()) EXPECT_EQ(box.caption, QStringLiteral("Einstellungen vornehmen"));
    ASSERT_EQ(fenster.ziele(), (QList<Ziel>{Ziel::Einstellungen, Ziel::Einstellungen}));
    EXPECT_EQ(fenster.geoeffnet()[0].aufruf.text, QStringLiteral("Allgemein"));
    EXPECT_EQ(fenster.geoeffnet()[1].aufruf.text, QStringLiteral("Farben"));
    EXPECT_EQ(logik.einstellungsTab(), 0);
    EXPECT_EQ(v.tage, 35);
    EXPECT_EQ(v.farben.size(), 11);
    EXPECT_EQ(logik.fensterTitel(), QStringLiteral("Haus am See Version 3.62"));
    EXPECT_EQ(dialogs.defaultCaption(), QStringLiteral("Haus am See")) << "message boxes carry the title";
}

TEST_F(MainLogikTest, TheUpgradeRunsOnTheSampleAndTheWorkingDatabaseInSampleMode) {
    test::machAlt(datei(QStringLiteral("Lokal.mdb")), datei(QStringLiteral("Tavomera.mdb")));
    {
        auto sample = Database::open(datei(QStringLiteral("Beispiel.mdb")));
        sample->dropField(QStringLiteral("tblBelegung"), QStringLiteral("Zahlart"));
    }
    settings.deleteSetting(QStringLiteral("BeispielPfad"));  // as an installer leaves it
    v.beispieldaten = true;
    MainLogik logik(v, dialogs, settings, fenster);
    EXPECT_EQ(logik.initialisieren(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    for (const char* f : {"Beispiel.mdb", "Tavomera.mdb"}) {
        auto d = Database::open(datei(QString::fromLatin1(f)));
        EXPECT_TRUE(d->tableDef(QStringLiteral("tblBelegung"))->field(QStringLiteral("Zahlart"))) << f;
        EXPECT_TRUE(d->hasTableDef(QStringLiteral("tbBlockbuchung"))) << f;
    }
    // The main database was reopened and sees the new fields.
    EXPECT_NO_THROW(v.db->scalar(QStringLiteral("SELECT Count(Zahlart) FROM tblBelegung")));
}

TEST_F(MainLogikTest, ClosingAsksForTheBackupOnlyWithItsWindowAndNeverOnARestart) {
    struct Fall {
        QList<Answer> antworten;
        QString sicherung;  // what the backup routine returns
        bool schliesst;
        QStringList texte;
    };
    const QString frage = QStringLiteral("Möchten Sie die Datenbanken jetzt sichern?");
    const QString fehlschlag =
        QStringLiteral("Die automatische Datensicherung konnte nicht durchgeführt werden. Möchten Sie das Programm trotzdem schließen?");
    const QList<Fall> faelle = {
        {{Answer::No}, {}, true, {frage}},
        {{Answer::Cancel}, {}, false, {frage}},
        {{Answer::Yes},
         QStringLiteral("/s/DB_2025/"),
         true,
         {frage, QStringLiteral("Die Daten wurden in folgendes Verzeichnis gesichert: /s/DB_2025/")}},
        {{Answer::Yes, Answer::Yes}, {}, true, {frage, fehlschlag}},
        {{Answer::Yes, Answer::No}, QStringLiteral("Zugriff"), false, {frage, fehlschlag}},
    };
    fenster.setVorhanden(Ziel::Datensicherung);
    for (const Fall& f : faelle) {
        ScriptedDialogs d;
        for (Answer a : f.antworten) d.answer(a);
        MainLogik logik(v, d, settings, fenster);
        fenster.setSicherung(f.sicherung);
        EXPECT_EQ(logik.schliessen(), f.schliesst) << f.texte.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(d.texts(), f.texte);
        EXPECT_TRUE(d.allAnswersUsed());
        if (d.shown().size() == 2 && d.texts()[1] == fehlschlag) {
            EXPECT_EQ(d.last().caption, QStringLiteral("Datensicherung"));
            EXPECT_EQ(d.last().defaultButton, 2) << "No is preselected";
        }
    }
    EXPECT_EQ(fenster.sicherungen(), 3) << "a backup for every Yes";

    ScriptedDialogs neustart;
    v.neustartLaeuft = true;
    EXPECT_TRUE(MainLogik(v, neustart, settings, fenster).schliessen());
    EXPECT_TRUE(neustart.shown().isEmpty());

    // Without the backup window a backup question would have no backup behind its Yes.
    v.neustartLaeuft = false;
    test::ScriptedFenster keineFenster;
    EXPECT_TRUE(MainLogik(v, neustart, settings, keineFenster).schliessen());
    EXPECT_TRUE(neustart.shown().isEmpty());
}

TEST_F(MainLogikTest, TheSampleMenuSwitchesBackAndForth) {
    MainLogik logik(v, dialogs, settings, fenster);
    EXPECT_TRUE(logik.beispieldatenUmschalten());
    EXPECT_TRUE(v.beispieldaten);
    EXPECT_TRUE(v.beispielAusMenue);
    EXPECT_TRUE(v.neustartLaeuft);
    EXPECT_EQ(
        Database::open(datei(QStringLiteral("Beispiel.mdb")))->scalar(QStringLiteral("SELECT Von FROM tblBelegung ORDER BY ID")).toDate(),
        QDate(2025, 6, 10));
    v.neustartLaeuft = false;
    EXPECT_TRUE(logik.beispieldatenUmschalten());
    EXPECT_FALSE(v.beispieldaten);
    EXPECT_TRUE(v.neustartLaeuft);
}
