#include <gtest/gtest.h>

#include <QFile>

#include "invoice/Belegdruck.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"
#include "support/TempFolder.h"

using namespace tav;

class BelegdruckTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(
            QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, CompanyName) VALUES "
                           "('Brandt', 'Hella', 'Hafenstraße 3', '24103', 'Kiel', 'Brandt & Co')"));
        adresse_ = db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, PreisProNacht, Preis, BelegNummer_eigen, "
                                    "Belegungsart) VALUES (1, ?, ?, ?, 80, 240, 'B 0007', 2)"),
                     {QDate(2024, 7, 1), QDate(2024, 7, 4), adresse_});
        buchung_ = db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
        db().execute(
            QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, AbgerechnetPo) VALUES (?, 'Sauna', 1, "
                           "12, 'Nein')"),
            {buchung_});
        posten_ = db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
    }
    int adresse_ = 0, buchung_ = 0, posten_ = 0;
    ScriptedDialogs dialogs_;
};

TEST_F(BelegdruckTest, AnUnwritableProgramFolderIsNamedInTheMessage) {
    NeuesDokument n;
    n.adressId = adresse_;
    n.eintraege = {DokumentEintrag::buchung(buchung_)};
    n.datum = QDate(2024, 7, 4);
    const auto nr = clsRechnung(db(), dialogs_).ReZuordnungen(n);
    ASSERT_TRUE(nr);
    const QString fehlt = QStringLiteral("/nicht/vorhanden/programm");
    EXPECT_TRUE(Belegdruck(db(), dialogs_, fehlt).drucken(*nr, Dokumentart::RechnungEditor).isEmpty());
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("nicht"))) << qPrintable(dialogs_.last().text);
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("Rechn.doc")) || dialogs_.last().text.contains(fehlt))
        << qPrintable(dialogs_.last().text);
}
