#include "invoice/Rechnungsdruck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "invoice/Belegdaten.h"
#include "invoice/Vorlagen.h"
#include "platform/DataFile.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;
namespace b = tav::test::beleg;

// The invoice of the guest house's two rooms: two nights each with half board at 7 %, a
// mini bar at 19 %, 5 % discount and a down payment of 500,00.
class RechnungsdruckTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        b::zimmer(db(), 1, QStringLiteral("101"), QStringLiteral("Seeblick"));
        b::zimmer(db(), 2, QStringLiteral("102"));
        b::steuer(db(), 1, 7, true);
        b::steuer(db(), 2, 19, false);
        gast_ = b::gast(db(), QStringLiteral("Erika"), QStringLiteral("Mustermann"));
        b::Buchung eins;
        eins.preisProNacht = 411.5;
        eins.fruehstueck = eins.abendessen = true;
        eins.kinder = 1;
        eins.gaeste = 3;
        b::Buchung zwei = eins;
        zwei.zimmer = 2;
        zwei.preisProNacht = 150;
        const int a = b::buchung(db(), gast_, eins), c = b::buchung(db(), gast_, zwei);
        const int minibar = b::posten(db(), {.buchung = a, .menge = 2, .preis = 12.5, .steuer = 2});
        b::dokument(db(), {.nummer = 1, .adresse = gast_, .rabattProz = 5.0, .rabattText = QStringLiteral("Stammgastrabatt")});
        b::verknuepfen(db(), 1, {a, -minibar, c});
        b::zahlung(db(), a, QDate(2024, 6, 1), 500);
        for (const char* o : {"TextMitFrühstückR", "GastnameR", "MitGästezahlR", "ZwischenR", "ZahlungR", "TextZimmerNummerR"})
            b::option(db(), QString::fromUtf8(o), true);
    }
    // The record of Rechn.doc as a reader sees it.
    DataFile::Table brief() {
        QString fehler;
        Rechnungsdruck druck(db(), dialogs_);
        EXPECT_TRUE(druck.DruckenRechnung(1, folder(), &fehler)) << fehler.toStdString();
        return DataFile::load(file(QStringLiteral("Rechn.doc"))).value_or(DataFile::Table{});
    }
    QString feld(const DataFile::Table& t, const char* name) {
        const int spalte = t.column(QString::fromUtf8(name));
        EXPECT_GE(spalte, 0) << name;
        return t.records.value(0).value(spalte);
    }
    // The text blocks in the order of their IDs that the letter reads by position.
    void textbloecke() {
        db().execute(QStringLiteral("DELETE * FROM tblTexte"));
        for (const char* name :
             {"Absender1", "Absender2", "Absender3", "Absender4", "PLZ", "Absender5", "Telefon", "FAX", "Adresse", "Anrede", "EMAIL",
              "Internet", "Brieftext", "Grußformel", "Betreff", "Bank", "DruckAnzahl", "Steuernummer"})
            Parameter(db()).writeText(QString::fromUtf8(name), QString::fromUtf8(name) + QStringLiteral(" Text"));
    }
    ScriptedDialogs dialogs_;
    int gast_ = 0;
};

TEST_F(RechnungsdruckTest, TheLetterTakesCopyCountTaxNumberAndLetterTextFromTheTextBlocks) {
    // The copy count and the letter text come from the text blocks; their rules are the letter file's.
    textbloecke();
    Parameter(db()).writeText(QStringLiteral("DruckAnzahl"), QStringLiteral("3"));
    Parameter(db()).writeText(QStringLiteral("Steuernummer"), QStringLiteral("12/345/67890"));
    const DataFile::Table t = brief();
    ASSERT_EQ(t.records.size(), 1);
    EXPECT_EQ(feld(t, "Druckanzahl"), QStringLiteral("Druckanzahl=3"));
    EXPECT_EQ(feld(t, "Steuernummer"), QStringLiteral("Steuernummer: 12/345/67890"));
    for (const auto& [feldname, block] : {std::pair{"AnredeAbs", "Absender1"}, {"OrtAbs", "Absender5"}, {"BrieftextAbs", "Brieftext"}})
        EXPECT_EQ(feld(t, feldname), QString::fromUtf8(block) + QStringLiteral(" Text")) << feldname;
    QStringList werte;
    for (const char* name : {"Nachname", "Adressnummer", "Rechnungsnummer", "Rechnungsdatum", "BelNummern", "Rechungstext"})
        werte << feld(t, name);
    EXPECT_EQ(werte, (QStringList{"Mustermann", "0042", "R 001", "03.07.2024", "B 0007", "Vielen Dank für Ihren Besuch."}));
    // mitAdresse was missing: created as true, and the sender is printed.
    EXPECT_EQ(feld(t, "MitAbsender"), Briefdatei::wahrheitswert(true));
    EXPECT_TRUE(Parameter(db()).read(QStringLiteral("mitAdresse")).has_value());
    b::option(db(), QStringLiteral("mitAdresse"), false);
    EXPECT_EQ(feld(brief(), "MitAbsender"), Briefdatei::wahrheitswert(false));
}

TEST_F(RechnungsdruckTest, SenderBlocksWithoutContentAreEmptiedAndATaxNumberBlockIsAdded) {
    db().execute(QStringLiteral("DELETE FROM tblTexte WHERE Textbaustein = 'Steuernummer'"));
    db().execute(QStringLiteral("UPDATE tblTexte SET Inhalt = Null WHERE Textbaustein = 'Absender2'"));
    Rechnungsdruck druck(db(), dialogs_);
    const Absender a = druck.absender();
    EXPECT_EQ(a.steuernummer, QString());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblTexte WHERE Inhalt Is Null")).toInt(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblTexte WHERE Textbaustein = 'Steuernummer'")).toInt(), 1);
}

TEST_F(RechnungsdruckTest, DocumentsAreFoundByPrintedNumberOrKey) {
    Rechnungsdruck druck(db(), dialogs_);
    struct Fall {
        const char* eingabe;
        std::optional<int> schluessel;
    } faelle[] = {{"R 001", 1}, {" R 001 ", 1}, {"1", 1}, {"2", std::nullopt}, {"R 002", std::nullopt}, {"", std::nullopt}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingabe);
        EXPECT_EQ(druck.dokumentSuchen(QString::fromUtf8(f.eingabe)), f.schluessel);
    }
}

TEST_F(RechnungsdruckTest, TheTwoRoomInvoiceBecomesAPdfWithGermanAmountsAndBothRates) {
    ASSERT_TRUE(test::vorlagenInstallieren(folder()));
    Rechnungsdruck druck(db(), dialogs_);
    const QString pdf = file(QStringLiteral("R 001.pdf"));
    const MergeResult r = druck.ausgeben(1, folder(), folder(), file(QStringLiteral("Serienbrief.doc")), pdf);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString inhalt = QString::fromUtf8(text.readAllStandardOutput());
    // Nights 2 × 411,50 + 2 × 150,00 at 7 %, the mini bar 25,00 at 19 %: 1.148,00, less 5 %.
    for (const char* s : {"823,00", "411,50", "19% MwSt", "7% MwSt", "Stammgastrabatt", "500,00", "1.148,00", "1.090,60"})
        EXPECT_TRUE(inhalt.contains(QString::fromUtf8(s))) << s << "\n" << inhalt.toStdString();
}
