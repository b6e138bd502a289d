#include <gtest/gtest.h>

#include "store/Datenbankdateien.h"
#include "store/Verknuepfung.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

class VerknuepfungTest : public test::DatabaseFixture {
protected:
    QString connectOf(Database& d, const QString& table) { return ConnectString::parse(d.tableDef(table)->connect).database; }
};

}  // namespace

TEST_F(VerknuepfungTest, ChecksNeedThePasswordAndTheirTable) {
    struct Fall {
        const char* datei;
        bool zentrale;
        bool arbeit;
    };
    const Fall faelle[] = {
        {"Zentral.mdb", true, false},  // bookings, no tariffs
        {"Tavomera.mdb", true, true},  // tariffs, and bookings through its link to the central file
        {"Beispiel.mdb", true, true},  // holds every table
        {"Feiertag.mdb", false, false}, {"Fehlt.mdb", false, false}, {"", false, false},
    };
    for (const Fall& f : faelle) {
        const QString pfad = *f.datei ? file(QString::fromLatin1(f.datei)) : QString();
        EXPECT_EQ(verknuepfung::pruefeZentrale(pfad), f.zentrale) << f.datei;
        EXPECT_EQ(verknuepfung::pruefeArbeitsdatenbank(pfad), f.arbeit) << f.datei;
    }
    // A file of another program (no password table) fails as well.
    QFile fremd(file(QStringLiteral("Fremd.mdb")));
    ASSERT_TRUE(fremd.open(QIODevice::WriteOnly));
    fremd.write("kein Datenbankformat");
    fremd.close();
    EXPECT_FALSE(verknuepfung::pruefeZentrale(fremd.fileName()));

    EXPECT_TRUE(verknuepfung::pruefeVerknuepfung(file(QStringLiteral("Lokal.mdb"))));
    EXPECT_FALSE(verknuepfung::pruefeVerknuepfung(file(QStringLiteral("Zentral.mdb")))) << "no rooms table in the central file";
    EXPECT_FALSE(verknuepfung::pruefeVerknuepfung(file(QStringLiteral("Fehlt.mdb"))));
}

TEST_F(VerknuepfungTest, RelinkSendsZentraLinksToTheCentralFileAndLeavesLocalTablesAlone) {
    test::TempFolder anderswo;
    dbfiles::createInstallation(anderswo.path());
    const QString arbeit = anderswo.file(QStringLiteral("Tavomera.mdb"));
    const QString zentral = anderswo.file(QStringLiteral("Zentral.mdb"));

    TableDef lokal;
    lokal.name = QStringLiteral("tbNurHier");
    lokal.fields << FieldDef::text(QStringLiteral("Notiz"));
    db().createTable(lokal);
    db().execute(QStringLiteral("INSERT INTO tbNurHier (Notiz) VALUES ('bleibt')"));

    EXPECT_TRUE(verknuepfung::zeigtAuf(file(QStringLiteral("Lokal.mdb")), file(QStringLiteral("Tavomera.mdb")),
                                       file(QStringLiteral("Zentral.mdb"))));
    EXPECT_FALSE(verknuepfung::zeigtAuf(file(QStringLiteral("Lokal.mdb")), arbeit, zentral));

    verknuepfung::alleNeuVerknuepfen(db(), arbeit, zentral);
    EXPECT_TRUE(verknuepfung::zeigtAuf(file(QStringLiteral("Lokal.mdb")), arbeit, zentral));
    for (const auto& [t, ziel] : {std::pair{"tblBelegung", zentral}, std::pair{"Address", zentral}, std::pair{"tblTarife", arbeit}})
        EXPECT_TRUE(verknuepfung::gleicheDatei(connectOf(db(), QString::fromLatin1(t)), ziel)) << t;
    EXPECT_TRUE(db().tableDef(QStringLiteral("tbNurHier"))->connect.isEmpty());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Notiz FROM tbNurHier")), QVariant(QStringLiteral("bleibt")));
    db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('45,00')"));
    EXPECT_EQ(Database::open(arbeit)->scalar(QStringLiteral("SELECT Count(*) FROM tblTarife")).toInt(), 1);
}

TEST_F(VerknuepfungTest, LinksComeBackFromTheSampleFileByTheHomeOfTheirTable) {
    const QString sample = file(QStringLiteral("Beispiel.mdb"));
    verknuepfung::alleNeuVerknuepfen(db(), sample, sample);
    EXPECT_TRUE(verknuepfung::zeigtAuf(file(QStringLiteral("Lokal.mdb")), sample, sample));
    EXPECT_TRUE(verknuepfung::pruefeVerknuepfung(file(QStringLiteral("Lokal.mdb"))));

    // The links no longer contain "Zentra"; the sample file name tells which way they go.
    const QString arbeit = file(QStringLiteral("Tavomera.mdb")), zentral = file(QStringLiteral("Zentral.mdb"));
    verknuepfung::alleNeuVerknuepfen(db(), arbeit, zentral, QStringLiteral("Beispiel.mdb"));
    for (const char* t : {"tblBelegung", "Address", "WeitereGäste", "tbLänder"})
        EXPECT_TRUE(verknuepfung::gleicheDatei(connectOf(db(), QString::fromUtf8(t)), zentral)) << t;
    for (const char* t : {"tblTarife", "tbZimmernummern", "tblParameter"})
        EXPECT_TRUE(verknuepfung::gleicheDatei(connectOf(db(), QString::fromUtf8(t)), arbeit)) << t;

    struct Fall {
        const char* connect;
        const char* table;
        bool zentral;
    };
    const Fall faelle[] = {
        {";DATABASE=/x/Zentral.mdb;PWD=p", "tblTarife", true},     // the name decides, not the table
        {";DATABASE=/x/zentrale/a.mdb;PWD=p", "tblTarife", true},  // any "Zentra", in any case
        {";DATABASE=/x/Tavomera.mdb;PWD=p", "tblBelegung", false}, {";DATABASE=/x/Beispiel.mdb;PWD=p", "tblBelegung", true},
        {";DATABASE=/x/Beispiel.mdb;PWD=p", "tblTarife", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(verknuepfung::zielFuer(QString::fromLatin1(f.table), QString::fromLatin1(f.connect), QStringLiteral("A"),
                                         QStringLiteral("Z"), QStringLiteral("Beispiel.mdb")),
                  f.zentral ? QStringLiteral("Z") : QStringLiteral("A"))
            << f.connect << " " << f.table;
}

TEST_F(VerknuepfungTest, ANewLinkReachesItsTableAndAnEmptySourceDoesNothing) {
    auto working = Database::open(file(QStringLiteral("Tavomera.mdb")));
    TableDef t;
    t.name = QStringLiteral("tbNeu");
    t.fields << FieldDef::of(QStringLiteral("IDNeu"), JetType::Long);
    working->createTable(t);
    EXPECT_FALSE(verknuepfung::tabelleVorhanden(db(), QStringLiteral("tbNeu")));
    verknuepfung::tabelleVerknuepfen(db(), QStringLiteral("tbNeu"), true, QString());
    EXPECT_FALSE(verknuepfung::tabelleVorhanden(db(), QStringLiteral("tbNeu")));
    verknuepfung::tabelleVerknuepfen(db(), QStringLiteral("tbNeu"), true, file(QStringLiteral("Tavomera.mdb")));
    EXPECT_TRUE(verknuepfung::tabelleVorhanden(db(), QStringLiteral("tbNeu")));
    db().execute(QStringLiteral("INSERT INTO tbNeu (IDNeu) VALUES (5)"));
    EXPECT_EQ(working->scalar(QStringLiteral("SELECT IDNeu FROM tbNeu")).toInt(), 5);
}
