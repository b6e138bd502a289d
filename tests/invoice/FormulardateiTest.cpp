#include <gtest/gtest.h>

#include "invoice/Formulardatei.h"
#include "invoice/Musterdaten.h"

using namespace tav;

TEST(FormulardateiTest, HeaderLineOfTheReservationFormsDataSource) {
    const QByteArray kopf =
        "Anrede;Zimmernummer;VorName;Nachname;Name2;Firma;Strasse;Ort;PLZ;Land;Telefon;FAX;Email;Beginn;Ende;Kuerzel;BelegungsArt;"
        "Bemerkungen;GesamtPreis;PreisProNacht;AnzahlUebernachtungen;TEXT5;BAnk;TEXT1;TEXT2;TEXT3;Getraenke;GetraenkeText;MiniBar;"
        "MiniBarTExt;Restaurant;RestaurantText;Sonstiges;SonstigesText;TelefonBetrag;TelefonText;TelefonAbs;FaxAbs;EmailAbs;"
        "InternetAbs;Druckanzahl;GesamtDM;GesamtEuro;MWSTDM;MWSTEuro;PLZAbs;Waehrung;Einheiten;Vorschau;AnzahlG\xC3\xA4ste;MitAbsender;"
        "AktDatum;Fr\xC3\xBChst\xC3\xBC"
        "ck;Zimmerbemerkung;NettoBEtragDM;NettobetragEUro;Zahlart;BuchungsNummer;Kinder;Datum;Anz_Erw;Verpflegung;ZahlDatum;ZahlSumme"
        "\r\n";
    const QByteArray bytes = Formulardatei::datei(Formulardaten{}).bytes();
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xEF\xBB\xBF") + kopf)) << bytes.constData();
    EXPECT_EQ(bytes.count("\r\n"), 2);
}

TEST(FormulardateiTest, OneRecordWithAValueForEveryField) {
    Formulardaten d = Musterdaten::formular(QDate(2026, 6, 1));
    d.bemerkungen = QStringLiteral("erste Zeile\r\nzweite; mit \"Zitat\"");
    d.druckanzahl = QStringLiteral("25");
    const DataFile::Table t = DataFile::parse(Formulardatei::datei(d).bytes());
    ASSERT_EQ(t.records.size(), 1);
    ASSERT_EQ(t.records[0].size(), t.names.size());
    EXPECT_EQ(t.names.size(), 64);
    // An extra without amount (Getraenke) and the old currency stay empty.
    QStringList werte;
    for (const char* feld : {"Bemerkungen", "Druckanzahl", "Beginn", "GesamtPreis", "Sonstiges", "Getraenke", "Anz_Erw", "Kinder",
                             "Verpflegung", "MitAbsender", "GesamtDM", "ZahlSumme"})
        werte << t.records[0].value(t.column(QString::fromUtf8(feld)));
    EXPECT_EQ(werte, (QStringList{"erste Zeile zweite, mit 'Zitat'", "Druckanzahl=2", "29.06.2026", "567,00", "30,00", "", "2", "1",
                                  " mit Halbpension", "Wahr", "", "150,00"}));
}

TEST(FormulardateiTest, BoardFlagsBecomeOnePhrase) {
    const struct {
        bool f, m, a;
        const char* text;
    } rows[] = {{true, false, false, " mit Frühstück"},  {false, true, false, " mit Mittagessen"},
                {false, false, true, " mit Abendessen"}, {true, true, false, " mit Frühstück und Mittagessen"},
                {true, false, true, " mit Halbpension"}, {false, true, true, " mit Mittag- und Abendessen"},
                {true, true, true, " mit Vollpension"},  {false, false, false, ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(Formulardatei::verpflegung(r.f, r.m, r.a), QString::fromUtf8(r.text));
    }
}
