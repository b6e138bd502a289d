#include "invoice/RechnungspostenLogik.h"

#include <gtest/gtest.h>

#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class RechnungspostenLogikTest : public test::DatabaseFixture {
protected:
    QStringList zeile() {
        QStringList out;
        const auto row = Parameter(db()).read(QStringLiteral("Rechnungsposten"));
        if (row)
            for (int i = 1; i <= 10; ++i) out << row->text(i);
        return out;
    }
    RechnungspostenLogik logik_;
};

TEST_F(RechnungspostenLogikTest, DefaultsAreLoadedForAnotherBookingAndKeptForTheSame) {
    // A missing row is created with its initial values.
    logik_.oeffnen(db(), 7, QStringLiteral("Posten für Max Muster"), 3);
    EXPECT_EQ(zeile(), (QStringList{"Telefon", "0,00", "Mini-Bar", "0,00", "Getränke", "0,00", "Restaurant", "0,00", "Sonstiges", "0,00"}));
    EXPECT_EQ(logik_.werte().texte[2], QStringLiteral("Getränke"));
    EXPECT_EQ(logik_.werte().ausdrucke, 3);
    EXPECT_EQ(logik_.titel(), QStringLiteral("Posten für Max Muster"));

    struct Schritt {
        const char* was;
        int buchung;
        bool vorherLeeren;
        const char* telefon;  // expected after opening
        int ausdrucke;
    } schritte[] = {
        {"the same booking again keeps what was typed", 7, false, "12,50", 1},
        {"another booking starts from the defaults", 8, false, "0,00", 3},
        {"before a document the values are cleared", 8, true, "0,00", 3},
    };
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.was);
        logik_.werte().betraege[0] = QStringLiteral("12,50");
        logik_.werte().ausdrucke = 1;
        if (s.vorherLeeren) logik_.leeren();
        logik_.oeffnen(db(), s.buchung, QStringLiteral("Posten"), 3);
        EXPECT_EQ(logik_.werte().betraege[0], QString::fromUtf8(s.telefon));
        EXPECT_EQ(logik_.werte().ausdrucke, s.ausdrucke);
        EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Offen);
    }
}

TEST_F(RechnungspostenLogikTest, OkContinueCancelAndSaveAsDefault) {
    logik_.oeffnen(db(), 1, QStringLiteral("Posten"), 2);
    Zusatzposten& w = logik_.werte();
    w.texte[0] = QStringLiteral("Telefon Zimmer 3");
    w.betraege = {QStringLiteral("12"), QString(), QStringLiteral("3,5"), QStringLiteral("1.000,00"), QStringLiteral(" ")};

    logik_.ok();
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Ok);
    EXPECT_EQ(QStringList(w.betraege.begin(), w.betraege.end()), (QStringList{"12,00", "0,00", "3,50", "1.000,00", "0,00"}));
    EXPECT_DOUBLE_EQ(w.summe(), 1015.5);

    logik_.vorgabeSpeichern(db());
    EXPECT_EQ(zeile().mid(0, 4), (QStringList{"Telefon Zimmer 3", "12,00", "Mini-Bar", "0,00"}));
    // A new booking now starts from the saved defaults.
    logik_.oeffnen(db(), 2, QStringLiteral("Posten"), 2);
    EXPECT_EQ(logik_.werte().texte[0], QStringLiteral("Telefon Zimmer 3"));
    EXPECT_EQ(logik_.werte().betraege[3], QStringLiteral("1.000,00"));

    logik_.weiter();
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Ok);
    EXPECT_EQ(logik_.werte().summe(), 0);
    EXPECT_EQ(logik_.werte().texte[0], QStringLiteral("Telefon Zimmer 3"));

    logik_.abbrechen();
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Abgebrochen);
}

TEST_F(RechnungspostenLogikTest, AmountBoxesTakeDigitsAndShowTwoDecimals) {
    struct Fall {
        const char* eingabe;
        const char* angezeigt;
    } faelle[] = {{"12", "12,00"}, {"1234", "1.234,00"}, {"3,5", "3,50"}, {"", ""}, {"abc", "0,00"}, {"0", "0,00"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingabe);
        EXPECT_EQ(RechnungspostenLogik::betragFormatieren(QString::fromUtf8(f.eingabe)), QString::fromUtf8(f.angezeigt));
    }
    for (QChar c : QStringLiteral("0123456789")) EXPECT_TRUE(RechnungspostenLogik::zeichenErlaubt(c)) << c.toLatin1();
    for (QChar c : QStringLiteral(",.-a ")) EXPECT_FALSE(RechnungspostenLogik::zeichenErlaubt(c)) << c.toLatin1();
}
