#include "invoice/Formulardruck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "invoice/Belegdaten.h"
#include "invoice/Vorlagen.h"
#include "platform/DataFile.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;
namespace b = tav::test::beleg;
using F = Formulardruck::Formular;

class FormulardruckTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        b::zimmer(db(), 1, QStringLiteral("101"), QStringLiteral("Seeblick"));
        b::steuer(db(), 1, 7, true);
        db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (1, 'Privat')"));
        b::Buchung bu;
        bu.fruehstueck = bu.abendessen = true;
        bu.gaeste = 3;
        bu.kinder = 1;
        buchung_ = b::buchung(db(), b::gast(db(), QStringLiteral("Erika"), QStringLiteral("Mustermann")), bu);
        b::zahlung(db(), buchung_, QDate(2024, 6, 1), 50);
        posten_.texte = {QStringLiteral("Telefon"), QStringLiteral("Mini-Bar"), QStringLiteral("Getränke"), QStringLiteral("Restaurant"),
                         QStringLiteral("Sonstiges")};
        posten_.betraege = {QStringLiteral("4,50"), QStringLiteral("0,00"), QStringLiteral("12,00"), QString(), QStringLiteral("0,00")};
        posten_.ausdrucke = 3;
    }
    // The templates as the program folder holds them.
    void vorlagen() { ASSERT_TRUE(test::vorlagenInstallieren(folder())); }
    ScriptedDialogs dialogs_;
    int buchung_ = 0;
    Zusatzposten posten_;
};

TEST_F(FormulardruckTest, TheFormRecordCarriesBookingGuestExtrasAndSender) {
    Formulardruck druck(db(), dialogs_, folder());
    const Formulardaten d = druck.daten(buchung_, posten_, QDate(2024, 6, 20));
    EXPECT_EQ((QStringList{d.nachname, d.zimmernummer, d.zimmerbemerkung, d.belegungsart, d.einheiten, d.telefonPosten.text, d.druckanzahl,
                           Formulardatei::verpflegung(d.fruehstueck, d.mittag, d.abendessen)}),
              (QStringList{"Mustermann", "101", "Seeblick", "Privat", "Übernachtungen", "Telefon", "3", " mit Halbpension"}));
    // 200,00 for the stay and 16,50 of extras; its VAT at the standard rate.
    EXPECT_DOUBLE_EQ(d.gesamtpreis, 216.5);
    EXPECT_NEAR(d.mwst, 216.5 - 216.5 * 100 / 107, 1e-9);
    EXPECT_DOUBLE_EQ(d.getraenke.betrag, 12);
    EXPECT_EQ(d.absender1, Parameter(db()).text(QStringLiteral("Absender1")));
    EXPECT_DOUBLE_EQ(d.zahlSumme, 50);
    EXPECT_EQ(d.zahlDatum, QDate(2024, 6, 1));
}

TEST_F(FormulardruckTest, TitlesOfTheExtrasDialog) {
    Formulardruck druck(db(), dialogs_, folder());
    const QString gast = druck.gastname(buchung_);
    EXPECT_EQ(gast, QStringLiteral("Erika Mustermann"));
    EXPECT_EQ(Formulardruck::postenTitel(F::Angebot, gast), QStringLiteral("Weitere Posten für das Angebot"));
    EXPECT_EQ(Formulardruck::postenTitel(F::Bestaetigung, gast), QStringLiteral("Weitere Posten für die Reservierung"));
    EXPECT_EQ(Formulardruck::postenTitel(F::Anmeldung, gast), QStringLiteral("Posten für Erika Mustermann"));
    EXPECT_EQ(Formulardruck::postenTitel(F::Rechnung, gast), QStringLiteral("Posten für Erika Mustermann"));
}

TEST_F(FormulardruckTest, EachDocumentIsMergedIntoItsFolderUnderTheBookingsName) {
    vorlagen();
    Formulardruck druck(db(), dialogs_, folder());
    struct Fall {
        F formular;
        const char* daten;
        const char* ordner;
    } faelle[] = {
        {F::Angebot, "angeb.doc", "Angebote"},
        {F::Bestaetigung, "Best.doc", "Bestätigungen"},
        {F::Anmeldung, "Best.doc", "Anmeldungen"},
        {F::Rechnung, "Rechn.doc", "Rechnungen"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ordner);
        ASSERT_TRUE(druck.vorlageBereit(f.formular));
        const MergeResult r = druck.drucken(f.formular, buchung_, posten_, QStringLiteral("Muster.doc"), QDate(2024, 6, 20));
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(QDir::cleanPath(r.document), QDir::cleanPath(file(QString::fromUtf8(f.ordner) + QStringLiteral("/Muster.doc"))));
        EXPECT_TRUE(QFileInfo(r.pdf).isFile());
        EXPECT_EQ(r.copies, 3);
        const auto daten = DataFile::load(file(QString::fromUtf8(f.daten)));
        ASSERT_TRUE(daten.has_value());
        EXPECT_EQ(daten->records.size(), 1);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << dialogs_.texts().join(QLatin1Char('|')).toStdString();
    // The quick invoice's item table holds the two extras that are not zero.
    const auto detail = DataFile::load(file(QStringLiteral("ReDetail.doc")));
    ASSERT_TRUE(detail.has_value());
    QStringList artikel;
    const int code = detail->column(QStringLiteral("Steuersatz")), text = detail->column(QStringLiteral("Artikel"));
    for (const QStringList& r : detail->records)
        if (r.value(code) == QLatin1String("Z")) artikel << r.value(text);
    EXPECT_EQ(artikel, (QStringList{"Telefon", "Getränke"}));
}

TEST_F(FormulardruckTest, AMissingTemplateStopsBeforeTheExtras) {
    Formulardruck druck(db(), dialogs_, folder());
    EXPECT_FALSE(druck.vorlageBereit(F::Angebot));
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Das Programm 'Word' konnte nicht geöffnet werden.")));
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("angebot.doc")));
}
