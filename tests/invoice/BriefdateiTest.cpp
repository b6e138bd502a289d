#include <gtest/gtest.h>

#include "invoice/Briefdatei.h"
#include "platform/DataFile.h"

using namespace tav;

namespace {

Briefdaten brief() {
    Briefdaten b;
    b.absender.anrede = QStringLiteral("Pension Sonne");
    b.absender.brieftext = QStringLiteral("Gute Heimreise!");
    b.absender.druckanzahl = QStringLiteral("2");
    b.adressnummer = 42;
    b.nachname = QStringLiteral("Müller");
    b.rechnungsdatum = QDate(2026, 3, 5);
    b.rechnungsnummer = QStringLiteral("R-17");
    b.zahlungszielTage = 14;
    return b;
}

DataFile::Table gelesen(const Briefdaten& b) { return DataFile::parse(Briefdatei::datei(b).bytes()); }

QString feld(const Briefdaten& b, int nummer) {
    const DataFile::Table t = gelesen(b);
    return t.records.value(0).value(nummer - 1);
}

}  // namespace

TEST(BriefdateiTest, HeaderLineHoldsTheFortyFieldNamesInOrder) {
    const QByteArray bytes = Briefdatei::datei(brief()).bytes();
    const QByteArray kopf =
        "\xEF\xBB\xBF"
        "AnredeAbs;NameAbs;StrasseAbs;PLZAbs;OrtAbs;TelefonAbs;FaxAbs;EmailAbs;InternetAbs;BrieftextAbs;"
        "Gru\xC3\x9F"
        "formelAbs;BetreffAbs;BankverbindungAbs;Steuernummer;Druckanzahl;MitAbsender;Adressnummer;Anrede;Adressbemerkung;"
        "EMail;FAX;KKG\xC3\xBCltigBis;KKNummer;Freditkarte;Land;Nachname;Name2;Ort;PLZ;PLZPostfach;Postfach;Strasse;Vorname;"
        "Rechnungsdatum;Rechnungsnummer;Zahlart;Zahlungsziel;Rechungstext;BezahltAm;BelNummern\r\n";
    EXPECT_TRUE(bytes.startsWith(kopf)) << bytes.left(kopf.size()).constData();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 2);
    EXPECT_EQ(gelesen(brief()).names.size(), 40);
}

TEST(BriefdateiTest, ALetterTextWithALineBreakStaysOneRecordOfFortyFields) {
    Briefdaten b = brief();
    b.absender.brieftext = QStringLiteral("Zeile eins\r\nZeile zwei; mit Semikolon");
    b.adressbemerkung = QStringLiteral("Bemerkung\nmit Umbruch; und \"Zitat\"");
    const QByteArray bytes = Briefdatei::datei(b).bytes();
    EXPECT_TRUE(bytes.contains(";\"Zeile eins\r\nZeile zwei; mit Semikolon\";")) << bytes.constData();
    const DataFile::Table t = DataFile::parse(bytes);
    ASSERT_EQ(t.records.size(), 1);
    ASSERT_EQ(t.records[0].size(), 40);
    EXPECT_EQ(t.records[0][9], QStringLiteral("Zeile eins\r\nZeile zwei; mit Semikolon"));
    // Only the letter text is quoted; another free text loses what would break the record.
    EXPECT_EQ(t.records[0][18], QStringLiteral("Bemerkung mit Umbruch, und 'Zitat'"));
    EXPECT_EQ(t.records[0][25], QStringLiteral("Müller"));
}

TEST(BriefdateiTest, CopyCountFollowsTheBlockDruckAnzahl) {
    const struct {
        const char* block;
        const char* feld;
    } faelle[] = {{"0", "Druckanzahl=1"},   {"3", "Druckanzahl=3"},  {"25", "Druckanzahl=2"}, {"1", "Druckanzahl=1"},
                  {"10", "Druckanzahl=10"}, {"11", "Druckanzahl=2"}, {"", "Druckanzahl=1"},   {"zwei", "Druckanzahl=1"},
                  {"-4", "Druckanzahl=1"},  {" 4 ", "Druckanzahl=4"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.block);
        Briefdaten b = brief();
        b.absender.druckanzahl = QString::fromUtf8(f.block);
        EXPECT_EQ(feld(b, 15), QString::fromUtf8(f.feld));
    }
}

TEST(BriefdateiTest, TaxNumberSenderFlagAndFormattedFields) {
    Briefdaten b = brief();
    EXPECT_EQ(feld(b, 14), QString()) << "an empty tax number leaves field 14 empty";
    b.absender.steuernummer = QStringLiteral("165/123/45678");
    EXPECT_EQ(feld(b, 14), QStringLiteral("Steuernummer: 165/123/45678"));

    EXPECT_EQ(feld(b, 16), QStringLiteral("Wahr"));
    b.mitAdresse = false;
    EXPECT_EQ(feld(b, 16), QStringLiteral("Falsch"));

    EXPECT_EQ(feld(b, 17), QStringLiteral("0042"));
    b.adressnummer = 123456;
    EXPECT_EQ(feld(b, 17), QStringLiteral("123456"));
    EXPECT_EQ(feld(b, 34), QStringLiteral("05.03.2026"));
    EXPECT_EQ(feld(b, 37), QStringLiteral("Zahlungsziel: 14 Tage ohne Abzug"));
    b.zahlungszielTage = 0;
    EXPECT_EQ(feld(b, 37), QStringLiteral("Zahlungsziel: sofort ohne Abzug"));
    EXPECT_EQ(feld(b, 39), QString()) << "not paid";
    b.bezahltAm = QDate(2026, 3, 9);
    EXPECT_EQ(feld(b, 39), QStringLiteral("09.03.2026"));
    b.belegNummern = {QStringLiteral("1201"), QStringLiteral("1202")};
    EXPECT_EQ(feld(b, 40), QStringLiteral("1201, 1202"));
}

TEST(BriefdateiTest, SenderRowsAreReadByPosition) {
    QStringList zeilen;
    for (int i = 1; i <= 18; ++i) zeilen << QStringLiteral("Zeile %1").arg(i);
    const Absender a = Absender::ausTextbloecken(zeilen, QStringLiteral("St-Nr"));
    const QStringList gelesen = {a.anrede, a.name,     a.strasse,   a.plz,         a.ort,     a.telefon, a.fax,
                                 a.email,  a.internet, a.brieftext, a.grussformel, a.betreff, a.bank,    a.druckanzahl};
    const QList<int> erwartet = {1, 2, 3, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17};
    for (qsizetype i = 0; i < erwartet.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(gelesen[i], QStringLiteral("Zeile %1").arg(erwartet[i]));
    }
    EXPECT_EQ(a.steuernummer, QStringLiteral("St-Nr"));
    // A table with fewer rows leaves the missing values empty.
    const Absender kurz = Absender::ausTextbloecken(zeilen.mid(0, 6), {});
    EXPECT_EQ(kurz.ort, QStringLiteral("Zeile 6"));
    EXPECT_EQ(kurz.telefon, QString());
    EXPECT_EQ(kurz.druckanzahl, QString());
}
