#include <gtest/gtest.h>

#include <QFile>

#include "invoice/ReDetailDatei.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

QByteArray lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> zeilen(const QByteArray& bytes) { return bytes.mid(3).split('\n'); }

}  // namespace

TEST(ReDetailDateiTest, HeaderAndCaptionLinesOfBothFiles) {
    DetailBeschriftung b;
    b.zimmer = QStringLiteral("Raum");
    b.waehrung = QStringLiteral("EUR");
    b.naechte = QStringLiteral("Nächte");
    b.zimmerBemerkung = QStringLiteral("Lage");
    test::TempFolder tmp;
    ASSERT_TRUE(ReDetailDatei::schreiben(tmp.path(), b, {}));
    const QByteArray doc = lesen(tmp.file(QStringLiteral("ReDetail.doc")));
    const QByteArray rtf = lesen(tmp.file(QStringLiteral("ReDetail.rtf")));
    const QByteArray beschriftung =
        "T;;bis;Datum (von);Reservierung;Bemerkungen;Preis;Frühstück;Adress Nr.;;;Ort;;Gesamt;Reserv.;Kurzinfo;Menge/Nächte;MwSt in %;"
        "Zahlart;Raum;EUR;Artikel/Nächte;Lage\r\n";
    // The data file spells its field names without umlauts, the item table with them.
    const QByteArray namen =
        "Steuersatz;AnzahlGäste;BelegtBis;Datum/BelegtVon;Belegungsart;Bemerkung;Einzelpreis;Frühstück;GastAdressNr;GastAnrede;"
        "GastNachname;GastOrt;GastVorname;Gesamtpreis;Ist_Reservierung;Kürzel;Menge;MwSt;Zahlart;Zimmernummer;Währung;Artikel;"
        "ZimBemerkung\r\n";
    const QByteArray ohneUmlaute = QByteArray(namen).replace("ä", "ae").replace("ü", "ue");
    EXPECT_EQ(doc, "\xEF\xBB\xBF" + ohneUmlaute + beschriftung);
    EXPECT_EQ(rtf, "\xEF\xBB\xBF" + namen + beschriftung);
    EXPECT_EQ(ReDetailDatei::beschriftungen(DetailBeschriftung{}).at(21), QStringLiteral("Artikel/Übernachtungen"));
}

TEST(ReDetailDateiTest, LinesCarryFormattedValuesAndOnlyTheGuestCountInQuotes) {
    Detailzeile nacht;
    nacht.code = QStringLiteral("B");
    nacht.von = QDate(2026, 7, 1);
    nacht.bis = QDate(2026, 7, 3);
    nacht.menge = 2;
    nacht.einzelpreis = 617.25;
    nacht.gesamtpreis = 1234.5;
    nacht.mwst = 7;
    nacht.artikel = QStringLiteral("Übernachtungen");
    nacht.bemerkung = QStringLiteral("Blick; See");
    Detailzeile info;
    info.code = QStringLiteral("U");
    info.anzahlGaeste = QStringLiteral("\nGästezahl: 2 Erw./ 1 Kind");
    info.fruehstueck = QStringLiteral("mit Halbpension");
    Detailzeile rabatt;
    rabatt.code = QStringLiteral("R");
    rabatt.artikel = QStringLiteral("Rabatt 5 % ");
    rabatt.gesamtpreis = -10;
    rabatt.menge = 1.5;
    Detailzeile null;
    null.code = QStringLiteral("Z");
    null.gesamtpreis = 0.004;

    const QByteArray bytes = ReDetailDatei::datei(DetailBeschriftung{}, {nacht, info, rabatt, null}).bytes();
    const QList<QByteArray> z = zeilen(bytes);
    ASSERT_EQ(z.size(), 8) << "header, captions, four lines, the guest-count line feed, end";
    EXPECT_EQ(z[2], QByteArray("B;;03.07.2026;01.07.2026;;Blick, See;617,25;;;;;;;1.234,50;;;2;7,00;;;;\xC3\x9C"
                               "bernachtungen;\r"));
    EXPECT_EQ(z[3], QByteArray("U;\"")) << "the line feed of the text, without a carriage return";
    EXPECT_EQ(z[4], QByteArray("G\xC3\xA4stezahl: 2 Erw./ 1 Kind\";;;;;;mit Halbpension;;;;;;;;;;;;;;;\r"));
    EXPECT_EQ(z[5], QByteArray("R;;;;;;;;;;;;;-10,00;;;1,5;;;;;Rabatt 5 % ;\r"));
    EXPECT_EQ(z[6], QByteArray("Z;;;;;;;;;;;;;;;;;;;;;;\r")) << "zero amounts stay empty";

    const DataFile::Table t = DataFile::parse(bytes);
    ASSERT_EQ(t.records.size(), 5);
    for (const QStringList& r : t.records) EXPECT_EQ(r.size(), 23);
    EXPECT_EQ(t.records[2][1], QStringLiteral("\nGästezahl: 2 Erw./ 1 Kind"));
}

TEST(ReDetailDateiTest, AmountsAndQuantitiesInGermanFormat) {
    const struct {
        double wert;
        const char* betrag;
        const char* menge;
    } rows[] = {{0, "", ""},
                {1234.5, "1.234,50", "1.234,5"},
                {2, "2,00", "2"},
                {-2, "-2,00", "-2"},
                {0.004, "", "0,004"},
                {0.005, "0,01", "0,005"},
                {1e6, "1.000.000,00", "1.000.000"},
                {0.25, "0,25", "0,25"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.wert);
        EXPECT_EQ(ReDetailDatei::betrag(r.wert), QString::fromUtf8(r.betrag));
        EXPECT_EQ(ReDetailDatei::menge(r.wert), QString::fromUtf8(r.menge));
    }
}

TEST(ReDetailDateiTest, AFolderThatCannotBeWrittenGivesAMessageNamingTheFile) {
    test::TempFolder tmp;
    QString fehler;
    EXPECT_FALSE(ReDetailDatei::schreiben(tmp.file(QStringLiteral("gibt/es/nicht")), DetailBeschriftung{}, {}, &fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("ReDetail.doc"))) << qPrintable(fehler);
}
