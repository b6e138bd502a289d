#include <gtest/gtest.h>

#include "invoice/RechnungPoLogik.h"
#include "invoice/RenummerLogik.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class RenummerLogikTest : public test::DatabaseFixture {
protected:
    ScriptedDialogs dialogs_;
    const QDate heute_{2024, 7, 4};
};

TEST_F(RenummerLogikTest, TheExampleFollowsPrefixCounterAndDatePart) {
    struct Fall {
        const char* name;
        QString praefix, format, zaehler, erwartet;
    };
    const Fall faelle[] = {
        {"empty prefix, no date part: two blanks", {}, {}, "12", "R  0012"},
        {"prefix and two-digit year", "Üb", "yy", "7", "R Üb 0007 24"},
        {"day, month, year", {}, "dd mm yy", "1", "R  0001 04 07 24"},
        {"letters count as 0", "A", {}, "abc", "R A 0000"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(RenummerLogik::beispiel(f.praefix, f.format, f.zaehler, heute_), f.erwartet);
    }
    EXPECT_EQ(BeNummerLogik::beispiel(QStringLiteral("Üb"), QStringLiteral("yy"), QStringLiteral("5"), heute_),
              QStringLiteral("Üb 0005 24"));
}

TEST_F(RenummerLogikTest, NumberFormatsAreStoredWithTheirListPosition) {
    Variablen v;
    RenummerLogik l(db(), dialogs_, &v);
    l.nummerSpeichern({QStringLiteral("Üb"), QStringLiteral("mm yy"), true, false});
    const auto row = Parameter(db()).read(QStringLiteral("ReNummer"));
    ASSERT_TRUE(row);
    EXPECT_EQ((QStringList{row->text(1), row->text(2), row->text(3), row->text(4), row->text(5)}),
              (QStringList{"Üb", "mm yy", "6", "Alle", "Freilassen"}));
    EXPECT_EQ(v.reNummer.value(0), QStringLiteral("Üb"));
    const Nummernformat f = l.nummer();
    EXPECT_TRUE(f.zaehlerAlle);
    EXPECT_FALSE(f.schluesselAlle);

    l.nummerSpeichern({{}, {}, false, true});
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("ReNummer"))->text(2), QString()) << "no date part";
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("ReNummer"))->text(3), QStringLiteral("0"));

    BeNummerLogik b(db(), &v);
    b.speichern({QStringLiteral("B-"), QStringLiteral("ww yyyy"), true, true});
    EXPECT_EQ(b.lesen().datumsformat, QStringLiteral("ww yyyy"));
    EXPECT_TRUE(b.lesen().zaehlerAlle);
    EXPECT_EQ(v.beNummer.value(2), QStringLiteral("9"));
}

TEST_F(RenummerLogikTest, DisplayOptionsAreWrittenAtOnce) {
    Variablen v;
    RenummerLogik l(db(), dialogs_, &v);
    EXPECT_EQ(l.optionen().size(), 32);
    l.optionSetzen(QStringLiteral("GastnameR"), true);
    EXPECT_TRUE(Parameter(db()).readYesNo(QStringLiteral("GastnameR")));
    EXPECT_TRUE(v.dokumentOptionen.value(QStringLiteral("GastnameR")));
    l.optionSetzen(QStringLiteral("GastnameR"), false);
    EXPECT_FALSE(l.option(QStringLiteral("GastnameR")));
    EXPECT_FALSE(v.dokumentOptionen.value(QStringLiteral("GastnameR")));
}

TEST_F(RenummerLogikTest, PaymentTargetsTakeDigitsOnlyAndNightTextsFallBack) {
    RenummerLogik l(db(), dialogs_);
    EXPECT_FALSE(l.zahlungszieleSpeichern({{2, QStringLiteral("14")}, {6, QStringLiteral("1a")}}, true));
    EXPECT_EQ(dialogs_.last().text, RenummerLogik::kNurZiffern);
    EXPECT_FALSE(Parameter(db()).read(QStringLiteral("Zahlungsziele")).has_value() &&
                 Parameter(db()).read(QStringLiteral("Zahlungsziele"))->text(2) == QStringLiteral("14"))
        << "nothing written";
    ASSERT_TRUE(l.zahlungszieleSpeichern({{2, QStringLiteral("14")}, {6, QString()}, {8, QStringLiteral("30")}}, true));
    EXPECT_EQ(l.zahlungsziel(2), QStringLiteral("14"));
    EXPECT_EQ(l.zahlungsziel(6), QString());
    EXPECT_EQ(l.zahlungsziel(8), QStringLiteral("30"));
    EXPECT_TRUE(l.anzahlung());

    l.nachttexteSpeichern(QStringLiteral("Nacht"), QString());
    EXPECT_EQ(l.nachttext(false), QStringLiteral("Nacht"));
    EXPECT_EQ(l.nachttext(true), QStringLiteral("Übernachtungen"));
}

TEST_F(RenummerLogikTest, ThePrintedNumberIsFreeUntilADocumentCarriesIt) {
    db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IST_Rechnung, ReZaehler, Renummer_eigen, DatumRe) VALUES "
                                "(1, 'R', 1, 'R 0001', ?)"),
                 {heute_});
    RechnungPoLogik l(db(), dialogs_);
    l.laden(0, RechnungPoLogik::Modus::Rechnung, heute_);
    EXPECT_FALSE(l.nummerFrei(QStringLiteral("R 0001"), 0));
    EXPECT_TRUE(l.nummerFrei(QStringLiteral("R 0001"), 1)) << "its own number";
    EXPECT_FALSE(l.nummerFrei(QStringLiteral("  "), 0));
    const QString naechste = l.naechsteNummer(Dokumentart::RechnungEditor, QStringLiteral("04.07.24"));
    EXPECT_EQ(naechste, QStringLiteral("R 0002"));
    EXPECT_TRUE(l.nummerFrei(naechste, 0));
}
