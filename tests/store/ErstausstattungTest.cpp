#include <gtest/gtest.h>

#include "store/Erstausstattung.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class ErstausstattungTest : public test::DatabaseFixture {};

TEST_F(ErstausstattungTest, ReplacesRoomsTextsAndKindsAndWritesTheSettingsRows) {
    db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (42, 'Alt')"));
    db().execute(QStringLiteral("INSERT INTO tbZusätze (ZusatzFeld, Beschriftung) VALUES (1, 'Balkon')"));
    db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (7, 'Alt')"));
    Parameter(db()).writeText(QStringLiteral("Absender1"), QStringLiteral("Alter Absender"));
    Parameter(db()).write(QStringLiteral("Räumlichkeiten"), {{1, QStringLiteral("42")}, {2, QStringLiteral("8")}});
    Parameter(db()).write(QStringLiteral("Währung"), {{1, QStringLiteral("CHF")}});

    erstausstattung::neueDatenbankFuellen(db());

    // Exactly the ten rooms; room 42 is gone.
    QStringList reihenfolge;
    for (Recordset rs = db().openRecordset(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern")); !rs.eof(); rs.moveNext())
        reihenfolge << rs.text(QStringLiteral("Zimmernummer"));
    EXPECT_EQ(reihenfolge.join(QLatin1Char(',')), QStringLiteral("1,2,3,4,5,6,7,8,9,10"));
    const auto raum = [&](int nummer, const char* feld) {
        return db().scalar(QStringLiteral("SELECT %1 FROM tbZimmernummern WHERE Zimmernummer = ?").arg(QString::fromUtf8(feld)), {nummer});
    };
    EXPECT_EQ(raum(3, "NeueNummer"), QVariant(QStringLiteral("103")));
    EXPECT_EQ(raum(10, "NeueNummer"), QVariant(QStringLiteral("Vorläufig")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Max(Zimmernummer) FROM tbZimmernummern")).toInt(), 10) << "the waiting row comes last";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbZusätze")).toInt(), 0);

    Recordset arten = db().openRecordset(QStringLiteral("SELECT BelegungsID, BelegungsArt FROM tbBelegArten ORDER BY BelegungsID"));
    QStringList namen;
    for (; !arten.eof(); arten.moveNext()) namen << (arten.value(QStringLiteral("BelegungsArt")).isNull() ? QStringLiteral("NULL") : arten.text(QStringLiteral("BelegungsArt")));
    EXPECT_EQ(namen, (QStringList{QStringLiteral("Frei"), erstausstattung::beispielArt1(), erstausstattung::beispielArt2(),
                                  QStringLiteral("Tresen"), QStringLiteral("Angebot"), QStringLiteral("NULL"), QStringLiteral("NULL"),
                                  QStringLiteral("NULL"), QStringLiteral("NULL")}));

    Parameter p(db());
    EXPECT_EQ(p.read(QStringLiteral("Räumlichkeiten"))->text(1), QStringLiteral("9"));
    EXPECT_EQ(p.read(QStringLiteral("Räumlichkeiten"))->text(2), QStringLiteral("8")) << "only F1 of the existing row is set";
    EXPECT_EQ(p.read(QStringLiteral("Währung"))->text(1), QStringLiteral("CHF")) << "written only when missing";
    // The settings rows a new database needs exist; their values are data, not rules.
    for (const char* satz : {"Farben", "Belegungsarten", "Beschriftungen", "Spaltenbreiten", "SpaltenBeschriftung", "ZeitDarstellung",
                             "ZimVonBis"})
        EXPECT_TRUE(p.read(QString::fromUtf8(satz))) << satz;
    for (const char* text : {"Grußformel", "DruckAnzahl"}) EXPECT_FALSE(p.text(QString::fromUtf8(text)).isEmpty()) << text;
    EXPECT_EQ(p.text(QStringLiteral("Absender1")), QStringLiteral("Gasthof Zur Linde"));
    // The sender lines are read in table order.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Textbaustein FROM tblTexte ORDER BY ID")), QVariant(QStringLiteral("Absender1")));
    EXPECT_TRUE(erstausstattung::wordInGebrauch(db()));

    erstausstattung::neueDatenbankFuellen(db());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")).toInt(), 10) << "filling twice still gives ten rooms";
}

TEST_F(ErstausstattungTest, WordIsInUseOnlyWithTheTextBlockJa) {
    EXPECT_FALSE(erstausstattung::wordInGebrauch(db())) << "no row";
    Parameter(db()).writeText(QStringLiteral("WordProgramm"), QStringLiteral("Nein"));
    EXPECT_FALSE(erstausstattung::wordInGebrauch(db()));
    Parameter(db()).writeText(QStringLiteral("WordProgramm"), QStringLiteral("ja"));
    EXPECT_FALSE(erstausstattung::wordInGebrauch(db()));
    Parameter(db()).writeText(QStringLiteral("WordProgramm"), QStringLiteral("Ja"));
    EXPECT_TRUE(erstausstattung::wordInGebrauch(db()));
}
