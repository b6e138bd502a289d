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

    // Exactly the ten rooms, the waiting row last; room 42 is gone.
    QStringList reihenfolge;
    for (Recordset rs = db().openRecordset(QStringLiteral("SELECT Zimmernummer, NeueNummer FROM tbZimmernummern ORDER BY Zimmernummer"));
         !rs.eof(); rs.moveNext())
        reihenfolge << rs.text(QStringLiteral("Zimmernummer")) + QLatin1Char('=') + rs.text(QStringLiteral("NeueNummer"));
    EXPECT_EQ(reihenfolge.join(QLatin1Char(',')), QStringLiteral("1=101,2=102,3=103,4=104,5=201,6=202,7=203,8=204,9=301,10=Vorläufig"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbZusätze")).toInt(), 0);

    Recordset arten = db().openRecordset(QStringLiteral("SELECT BelegungsID, BelegungsArt FROM tbBelegArten ORDER BY BelegungsID"));
    QStringList namen;
    for (; !arten.eof(); arten.moveNext())
        namen << (arten.value(QStringLiteral("BelegungsArt")).isNull() ? QStringLiteral("NULL")
                                                                       : arten.text(QStringLiteral("BelegungsArt")));
    EXPECT_EQ(namen.join(QLatin1Char(',')), QStringLiteral("Frei,%1,%2,Tresen,Angebot,NULL,NULL,NULL,NULL")
                                                .arg(erstausstattung::beispielArt1(), erstausstattung::beispielArt2()));

    Parameter p(db());
    EXPECT_EQ(p.read(QStringLiteral("Räumlichkeiten"))->text(1), QStringLiteral("9"));
    EXPECT_EQ(p.read(QStringLiteral("Räumlichkeiten"))->text(2), QStringLiteral("8")) << "only F1 of the existing row is set";
    EXPECT_EQ(p.read(QStringLiteral("Währung"))->text(1), QStringLiteral("CHF")) << "written only when missing";
    // The settings rows a new database needs exist; their values are data, not rules.
    for (const char* satz :
         {"Farben", "Belegungsarten", "Beschriftungen", "Spaltenbreiten", "SpaltenBeschriftung", "ZeitDarstellung", "ZimVonBis"})
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
    for (const auto& [wert, an] : {std::pair{"Nein", false}, std::pair{"ja", false}, std::pair{"Ja", true}}) {
        Parameter(db()).writeText(QStringLiteral("WordProgramm"), QString::fromLatin1(wert));
        EXPECT_EQ(erstausstattung::wordInGebrauch(db()), an) << wert;
    }
}
