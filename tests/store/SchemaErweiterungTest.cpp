#include <gtest/gtest.h>

#include <QFile>
#include <tuple>

#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "store/AlteDatenbank.h"
#include "store/Datenbankdateien.h"
#include "store/Nummernstand.h"
#include "store/SchemaErweiterung.h"
#include "store/Verknuepfung.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

class SchemaErweiterungTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        settings.deleteSection();
        settings.saveSetting(QStringLiteral("Pfad"), file(QStringLiteral("Tavomera.mdb")));
        settings.saveSetting(QStringLiteral("BeispielPfad"), file(QStringLiteral("Beispiel.mdb")));
    }
    void machAlt() {
        db_.reset();
        test::machAlt(file(QStringLiteral("Lokal.mdb")), file(QStringLiteral("Tavomera.mdb")));
        db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    }
    // "table.field" for every field of the working and central tables the upgrade touches.
    QStringList felder(const QString& datei) {
        auto d = Database::open(file(datei));
        QStringList out;
        for (const char* t : {"tbZimmernummern", "tbBlockbuchung", "tbKategorie", "tbZahlart", "tblParameter", "tblBelegung", "Address"})
            if (auto def = d->tableDef(QString::fromLatin1(t)))
                for (const FieldDef& f : def->fields) out << def->name + QLatin1Char('.') + f.name.toLower();
        out.sort();
        return out;
    }

    SettingsStore settings;
    ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(SchemaErweiterungTest, AnOldDatabaseGetsExactlyWhatIsMissingAndNewTablesAreLinked) {
    const QStringList vorher = felder(QStringLiteral("Tavomera.mdb"));
    machAlt();
    ASSERT_FALSE(db().hasTableDef(QStringLiteral("tbBlockbuchung")));

    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    s.alleSchritte(false);
    EXPECT_TRUE(s.geaendert());
    EXPECT_TRUE(dialogs.shown().isEmpty());

    const QStringList nachher = felder(QStringLiteral("Tavomera.mdb"));
    // Everything that was dropped is back; nothing else appeared.
    for (const QString& f : vorher) EXPECT_TRUE(nachher.contains(f)) << f.toStdString();
    EXPECT_EQ(nachher.size(), vorher.size());

    auto working = Database::open(file(QStringLiteral("Tavomera.mdb")));

    // The new tables are reached through the link database, and rows land in the working file.
    auto link = Database::open(file(QStringLiteral("Lokal.mdb")));
    for (const char* t : {"tbBlockbuchung", "tbKategorie", "tbZahlart"}) {
        const auto def = link->tableDef(QString::fromLatin1(t));
        ASSERT_TRUE(def.has_value()) << t;
        EXPECT_TRUE(def->connect.contains(QStringLiteral("Tavomera.mdb"))) << t;
    }
    link->execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (1, 7, True)"));
    EXPECT_EQ(working->scalar(QStringLiteral("SELECT IDBelegung FROM tbBlockbuchung")).toInt(), 7);
}

TEST_F(SchemaErweiterungTest, ADatabaseThatHasEverythingIsLeftAloneWithoutAMessage) {
    const auto inhalt = [&] {
        QFile f(file(QStringLiteral("Tavomera.mdb")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray vorher = inhalt();
    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    s.alleSchritte(false);
    EXPECT_FALSE(s.geaendert());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(inhalt(), vorher) << "not a byte of the working database changed";
}

TEST_F(SchemaErweiterungTest, TheSampleStepsWorkOnTheSampleFileAndEndWithTheLaundryUpdate) {
    {
        auto sample = Database::open(file(QStringLiteral("Beispiel.mdb")));
        sample->dropField(QStringLiteral("tblBelegung"), QStringLiteral("Zahlart"));
        sample->dropTable(QStringLiteral("tbKategorie"));
        sample->execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Wäsche1, Wäsche2, Frühstück) VALUES (1, 0, 0, False)"));
    }
    machAlt();
    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    s.alleSchritte(true);
    auto sample = Database::open(file(QStringLiteral("Beispiel.mdb")));
    EXPECT_TRUE(sample->tableDef(QStringLiteral("tblBelegung"))->field(QStringLiteral("Zahlart")));
    EXPECT_TRUE(sample->hasTableDef(QStringLiteral("tbKategorie")));
    Recordset rs = sample->openRecordset(QStringLiteral("SELECT Wäsche1, Wäsche2, Frühstück FROM tblBelegung"));
    EXPECT_EQ(rs.integer(QStringLiteral("Wäsche1")), 6);
    EXPECT_EQ(rs.integer(QStringLiteral("Wäsche2")), 3);
    EXPECT_TRUE(rs.yes(QStringLiteral("Frühstück")));
    // The working database was not touched by the sample run.
    EXPECT_FALSE(Database::open(file(QStringLiteral("Tavomera.mdb")))->hasTableDef(QStringLiteral("tbKategorie")));
    EXPECT_TRUE(db().tableDef(QStringLiteral("tbKategorie"))->connect.contains(QStringLiteral("Beispiel.mdb")))
        << "a table new in sample mode is linked to the sample file";
}

TEST_F(SchemaErweiterungTest, AFailedStepAsksRetryOrCancelAndAMissingDatabaseEndsSilently) {
    // A working database whose room table cannot be extended: the first field step fails.
    db_.reset();
    Database::open(file(QStringLiteral("Tavomera.mdb")))->dropTable(QStringLiteral("tbZimmernummern"));
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));

    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    dialogs.answer(Answer::Retry);
    dialogs.answer(Answer::Cancel);
    s.blockbuchung(false);
    ASSERT_EQ(dialogs.shown().size(), 2) << "Retry runs the whole step again";
    for (const auto& box : dialogs.shown())
        EXPECT_EQ(std::tuple(box.text, box.caption, box.buttons),
                  std::tuple(QStringLiteral("Das Anfügen von Tabellenfeldern ist fehlgeschlagen."),
                             QStringLiteral("neue Tabellenfelder anlegen"), Buttons::RetryCancel));

    dialogs.clear();
    settings.saveSetting(QStringLiteral("Pfad"), file(QStringLiteral("Fehlt.mdb")));
    s.alleSchritte(false);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(SchemaErweiterungTest, TheHolidayTableIsMadeOnceAndLinked) {
    machAlt();
    Database::open(file(QStringLiteral("Tavomera.mdb")))->dropTable(QStringLiteral("tbFeiertage"));
    db().deleteLink(QStringLiteral("tbFeiertage"));
    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    EXPECT_TRUE(s.feiertage(false));
    EXPECT_TRUE(s.feiertage(false)) << "a second call finds the table";
    db().execute(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (1, 'Neujahr', #01-01-2030#)"));
    EXPECT_EQ(Database::open(file(QStringLiteral("Tavomera.mdb")))->scalar(QStringLiteral("SELECT FTBezeichnung FROM tbFeiertage")),
              QVariant(QStringLiteral("Neujahr")));

    settings.saveSetting(QStringLiteral("Pfad"), file(QStringLiteral("Fehlt.mdb")));
    EXPECT_FALSE(s.feiertage(false));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Tabelle 'tbFeiertage' konnte nicht angelegt werden.")});
}

TEST_F(SchemaErweiterungTest, DocumentFoldersAreMadeAndAFolderThatCannotBeMadeIsReported) {
    SchemaErweiterung::systemOrdnerAnlegen(dialogs, folder());
    for (const QString& name : SchemaErweiterung::systemOrdner()) EXPECT_TRUE(QDir(file(name)).exists()) << name.toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());

    test::TempFolder anderer;
    QFile blocker(anderer.file(QStringLiteral("Angebote")));  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SchemaErweiterung::systemOrdnerAnlegen(dialogs, anderer.path());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Fehler beim Anlegen des Systemordners ") +
                                           QDir::toNativeSeparators(anderer.file(QStringLiteral("Angebote"))) +
                                           QStringLiteral(". Bitte wenden Sie sich an den Hersteller der Software.")});
}

// The link database of this version meets a working file of an older version, which lacks a
// table the link database links: relinking drops that link and a link database made anew leaves
// it out, instead of refusing the start; the upgrade then makes the table and links it.
TEST_F(SchemaErweiterungTest, ALinkDatabaseOfThisVersionStartsOnAnOlderWorkingFile) {
    settings.saveSetting(QStringLiteral("Zentral"), file(QStringLiteral("Zentral.mdb")));
    const QString stand = QString::fromUtf8(nummernstand::kReNummern.stand);
    db_.reset();
    {
        auto arbeit = Database::open(file(QStringLiteral("Tavomera.mdb")));
        for (const char* t : {"_i", "_u", "_d"})
            arbeit->executeNative(QStringLiteral("DROP TRIGGER ") + QString::fromUtf8(nummernstand::kReNummern.trigger) +
                                  QString::fromLatin1(t));
        arbeit->dropTable(stand);
    }
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    ASSERT_TRUE(verknuepfung::tabelleVorhanden(db(), stand));
    ASSERT_NO_THROW(verknuepfung::alleNeuVerknuepfen(db(), file(QStringLiteral("Tavomera.mdb")), file(QStringLiteral("Zentral.mdb"))));
    EXPECT_FALSE(verknuepfung::tabelleVorhanden(db(), stand));
    EXPECT_TRUE(verknuepfung::pruefeVerknuepfung(file(QStringLiteral("Lokal.mdb"))));

    ASSERT_NO_THROW(dbfiles::createLinkDatabase(file(QStringLiteral("Neu.mdb")), file(QStringLiteral("Tavomera.mdb")),
                                                file(QStringLiteral("Zentral.mdb"))));
    auto neu = Database::open(file(QStringLiteral("Neu.mdb")));
    EXPECT_FALSE(verknuepfung::tabelleVorhanden(*neu, stand));
    EXPECT_TRUE(verknuepfung::tabelleVorhanden(*neu, QStringLiteral("tbRechnungen")));

    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    s.alleSchritte(false);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::tabelleVorhanden(db(), stand));
    db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IST_Rechnung) VALUES (1, 'R')"));
    EXPECT_EQ(nummernstand::lueckenlosBis(db(), nummernstand::kReNummern), 1);
}

// A file made before the kept runs (booking numbers in the central file, document keys in the
// working file) gets the table, its triggers and its link; the run is computed from the stored
// numbers and follows every later row.
TEST_F(SchemaErweiterungTest, AnOldFileGetsTheKeptRunOfItsNumbersLinkedAndInStep) {
    settings.saveSetting(QStringLiteral("Zentral"), file(QStringLiteral("Zentral.mdb")));
    const struct {
        const Nummernlauf& lauf;
        const char* datei;
        const char* einfuegen;
    } faelle[] = {{nummernstand::kBelegNummern, "Zentral.mdb", "INSERT INTO tblBelegung (Zimmernummer, BelegNummer) VALUES (1, ?)"},
                  {nummernstand::kReNummern, "Tavomera.mdb", "INSERT INTO tbRechnungen (ReNummer, IST_Rechnung) VALUES (?, 'R')"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.lauf.stand);
        const QString stand = QString::fromUtf8(f.lauf.stand);
        for (int n : {1, 2, 3, 5}) db().execute(QString::fromUtf8(f.einfuegen), {n});
        db_.reset();
        {
            auto datei = Database::open(file(QString::fromUtf8(f.datei)));
            for (const char* t : {"_i", "_u", "_d"})
                datei->executeNative(QStringLiteral("DROP TRIGGER ") + QString::fromUtf8(f.lauf.trigger) + QString::fromLatin1(t));
            datei->dropTable(stand);
            Database::open(file(QStringLiteral("Lokal.mdb")))->deleteLink(stand);
        }
        db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
        EXPECT_EQ(nummernstand::lueckenlosBis(db(), f.lauf), 0) << "without the table the walk starts at 1";

        SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
        s.alleSchritte(false);
        EXPECT_TRUE(s.geaendert());
        EXPECT_TRUE(dialogs.shown().isEmpty());
        db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
        EXPECT_EQ(nummernstand::lueckenlosBis(db(), f.lauf), 3);
        db().execute(QString::fromUtf8(f.einfuegen), {4});
        EXPECT_EQ(nummernstand::lueckenlosBis(db(), f.lauf), 5) << "the triggers came with the table";

        SchemaErweiterung wieder(dialogs, settings, RegistryNamen::forInstance(0), &db());
        wieder.alleSchritte(false);
        EXPECT_FALSE(wieder.geaendert()) << "a file that has it is left alone";
    }
}

// A file made before an index existed gets it in the file of its table: the central file for
// the bookings, the working file for the items; the link database reaches both through the
// links. A second start finds nothing to make.
TEST_F(SchemaErweiterungTest, MissingIndexesAreMadeInTheFileOfTheirTable) {
    settings.saveSetting(QStringLiteral("Zentral"), file(QStringLiteral("Zentral.mdb")));
    const struct {
        const char* datei;
        const char* tabelle;
        const char* index;
    } fehlend[] = {{"Zentral.mdb", "tblBelegung", "Abg_Temp"},
                   {"Zentral.mdb", "tblBelegung", "Abgerechnet"},
                   {"Zentral.mdb", "Address", "Firstname"},
                   {"Tavomera.mdb", "tbRePosten", "AbgerechnetPo"}};
    db_.reset();
    for (const auto& f : fehlend) {
        SCOPED_TRACE(f.index);
        auto d = Database::open(file(QString::fromLatin1(f.datei)));
        const QString tabelle = QString::fromLatin1(f.tabelle), index = QString::fromLatin1(f.index);
        ASSERT_TRUE(d->hasIndex(tabelle, index)) << "a new file has every index";
        d->executeNative(QStringLiteral("DROP INDEX \"%1_%2\"").arg(tabelle, index));
        EXPECT_FALSE(d->hasIndex(tabelle, index));
    }
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    EXPECT_FALSE(db().hasIndex(QStringLiteral("tbRePosten"), QStringLiteral("AbgerechnetPo")));

    SchemaErweiterung s(dialogs, settings, RegistryNamen::forInstance(0), &db());
    s.alleSchritte(false);
    EXPECT_TRUE(s.geaendert());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    db_ = Database::open(file(QStringLiteral("Lokal.mdb")));
    for (const auto& f : fehlend) {
        SCOPED_TRACE(f.index);
        const QString tabelle = QString::fromLatin1(f.tabelle), index = QString::fromLatin1(f.index);
        EXPECT_TRUE(Database::open(file(QString::fromLatin1(f.datei)))->hasIndex(tabelle, index));
        EXPECT_TRUE(db().hasIndex(tabelle, index)) << "seen through the link";
    }
    EXPECT_FALSE(Database::open(file(QStringLiteral("Tavomera.mdb")))->hasIndex(QStringLiteral("tbRePosten"), QStringLiteral("Abg_Temp")));

    SchemaErweiterung wieder(dialogs, settings, RegistryNamen::forInstance(0), &db());
    wieder.alleSchritte(false);
    EXPECT_FALSE(wieder.geaendert());
}
