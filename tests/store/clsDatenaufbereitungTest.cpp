#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"
#include "store/clsDatenaufbereitung.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class clsDatenaufbereitungTest : public test::DatabaseFixture {
protected:
    int zahl(const QString& sql) { return db().scalar(sql).toInt(); }
    ScriptedDialogs dialogs;
};

TEST_F(clsDatenaufbereitungTest, SemicolonsAndTildesBecomeCommasInEveryTable) {
    db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city) VALUES ('Huber;Maier', 'Anna~Lena', 'Bonn')"));
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Kürzel, Info) VALUES (1, 'Huber', 'a;b~c;')"));
    db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen) VALUES (1, '101', 'ruhig')"));
    clsDatenaufbereitung d(db(), dialogs);
    EXPECT_EQ(d.DatenNeu(), 3);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Lastname & '|' & Firstname FROM Address")),
              QVariant(QStringLiteral("Huber,Maier|Anna,Lena")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Info FROM tblBelegung")), QVariant(QStringLiteral("a,b,c,")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Bemerkungen FROM tbZimmernummern")), QVariant(QStringLiteral("ruhig")));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Daten wurden überprüft und Fehler wurden behoben.")});
}

TEST_F(clsDatenaufbereitungTest, OlderAddressDataIsConverted) {
    db().execute(
        QStringLiteral("INSERT INTO Address (Lastname, Anrede, BenutztVon1, Herkunft2) VALUES ('A', 'Herr', 'Tavomera', 'Messe')"));
    db().execute(
        QStringLiteral("INSERT INTO Address (Lastname, Anrede, IDÜberAdresse, BenutztVon1) VALUES ('B', 'Dr. med.', 1, 'tavomera')"));
    db().execute(QStringLiteral("INSERT INTO Address (Lastname, IDÜberAdresse) VALUES ('C', 99)"));
    db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES ('Herr')"));
    db().execute(QStringLiteral("INSERT INTO tbAdress_zu_Ergebnis (IDAdresse) VALUES (1)"));
    db().execute(QStringLiteral("INSERT INTO tbAdress_zu_Ergebnis (IDAdresse) VALUES (77)"));
    db().execute(QStringLiteral("INSERT INTO tbAnsprechpartner (IDAdresse, Name) VALUES (78, 'X')"));
    clsDatenaufbereitung d(db(), dialogs);

    d.AdressZuAdressFüllen();
    d.ÜberAdresseLöschen();
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAdress_zu_Adress")), 1) << "the link to the missing address 99 is dropped";
    EXPECT_EQ(zahl(QStringLiteral("SELECT IDAdresseOber FROM tbAdress_zu_Adress WHERE IDAdresseUnter = 2")), 1);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(IDÜberAdresse) FROM Address")), 0);

    d.VorhandeneKategorienEinrichten();
    d.VorhandeneKategorienEinrichten();
    d.UpdateKategorien();
    d.UpdateKategorien();
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAdresskategorie WHERE AdressKatBemerkung = 'importiert'")), 2)
        << "Tavomera (in any case) and Messe, each once";
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAdress_zu_Adresskategorie")), 3);

    d.NichtVorhandeneAuswahlZuordnungLöschen();
    d.NichtVorhandeneAnsprechpartnerZuordnungLöschen();
    db().execute(QStringLiteral("DELETE * FROM Address WHERE Lastname = 'B'"));
    d.NichtVorhandeneKategorienZuordnungLöschen();
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAdress_zu_Ergebnis")), 1);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAnsprechpartner")), 0);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAdress_zu_Adresskategorie")), 2);

    d.VorhandeneAnredenEinrichten();
    d.UpdateAnreden();
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbAnreden")), 1) << "Dr. med. left with its address";
    EXPECT_EQ(zahl(QStringLiteral("SELECT IDAnrede FROM Address WHERE Lastname = 'A'")), 1);
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT Anrede FROM Address WHERE Lastname = 'A'")).isNull());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
