#include "lists/Allgdat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/MailMerge.h"
#include "support/TempFolder.h"

namespace tav::test {

namespace {

QByteArray u(const char* s) { return QByteArray(s); }

TEST(AllgdatTest, HeaderLinesOfEveryLayoutByteForByte) {
    struct Fall {
        const char* titel;
        bool waesche;
        QByteArray zeile1;
        QByteArray zeile2;
    };
    const QByteArray a =
        u("ZimBemerkung;Check;Abgerechnet;G\xc3\xa4stezahl;Fr\xc3\xbchst\xc3\xbc"
          "ck;Zimmer;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Z1;Z2;AdressBemerkung;ResBemerkung;"
          "K\xc3\xbcrzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorl\xc3\xa4ufig;Zahlart;ID;WasDrucken;VonWann;BisWann;Anz_Kinder\r\n");
    const QList<Fall> faelle = {
        {"Frühstücksliste", false, a,
         u("Zimmerbemerkung;Status;Abgerechnet;G;Fr\xc3\xbchst\xc3\xbc"
           "ck;Raum;Vorname;Nachname;Name 2;Stra\xc3\x9f"
           "e;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;"
           "Vorl\xc3\xa4ufig;Zahlart;ID;T;V;B;K\r\n")},
        {"Halbpension", false, a,
         u("Zimmerbemerkung;Status;Abgerechnet;G;Fr\xc3\xbchst\xc3\xbc"
           "ck;Raum;Vorname;Nachname;Name 2;Stra\xc3\x9f"
           "e;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;"
           "Vorl\xc3\xa4ufig;Zahlart;ID;T;V;B;K\r\n")},
        {"Tagesliste", false,
         u("ZimBemerkung;Check;Abgerechnet;G\xc3\xa4stezahl;Fr\xc3\xbchst\xc3\xbc"
           "ck;Zimmer;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Z1;Z2;AdressBemerkung;ResBemerkung;"
           "K\xc3\xbcrzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorl\xc3\xa4ufig;Zahlart;ID;WasDrucken;VonWann;BisWann;Anz_Kinder;Mittag;"
           "Abendessen\r\n"),
         u("Zimmerbemerkung;Status;Abgerechnet;G;F;Raum;Vorname;Nachname;Name 2;Stra\xc3\x9f"
           "e;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;"
           "Vorl\xc3\xa4ufig;Zahlart;ID;T;V;B;K;M;A\r\n")},
        {"Abendessen", false,
         u("ZimBemerkung;Check;Abgerechnet;G\xc3\xa4stezahl;Fr\xc3\xbchst\xc3\xbc"
           "ck;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Zimmer;Z1;Z2;AdressBemerkung;ResBemerkung;"
           "K\xc3\xbcrzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorl\xc3\xa4ufig;Zahlart;ID;WasDrucken;VonWann;BisWann;Anz_Kinder\r\n"),
         u("Reservierungsnummer;Status;Abgerechnet;G;Fr\xc3\xbchst\xc3\xbc"
           "ck;Vorname;Nachname;Rechnungsanschrift;Stra\xc3\x9f"
           "e;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Raum;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;"
           "Tage;Vorl\xc3\xa4ufig;Zahlart;ID;T;V;B;K\r\n")},
        {"Mittag", false, a,
         u("Reservierungsnummer;Status;Abgerechnet;G;Fr\xc3\xbchst\xc3\xbc"
           "ck;Raum;Vorname;Nachname;Rechnungsanschrift;Stra\xc3\x9f"
           "e;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;"
           "Vorl\xc3\xa4ufig;Zahlart;ID;T;V;B;K\r\n")},
        {"Wäscheliste", true,
         u("ZimBemerkung;Check;Vorname;Nachname;Firma;Strasse;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Zimmer;Z1;Z2;ResBemerkung;"
           "K\xc3\xbcrzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorl\xc3\xa4ufig;ID;Adressbemerkung;G\xc3\xa4stezahl;WasDrucken;VonWann;"
           "BisWann;W\xc3\xa4sche1;W\xc3\xa4sche2;Fr\xc3\xbchst\xc3\xbc"
           "ck\r\n"),
         u("Zimmerbemerkung;Status;Vorname;Nachname;Name 2;Stra\xc3\x9f"
           "e;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Raum;Z1;Z2;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorl\xc3\xa4ufig;"
           "ID;Adressbemerkung;G;T;V;B;F\r\n")},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        const allgdat::Kopf kopf = f.waesche ? allgdat::Kopf::Waesche : allgdat::kopfFuerTitel(QString::fromUtf8(f.titel));
        const QByteArray datei =
            allgdat::inhalt(allgdat::zeile1(kopf) + allgdat::zeile2(kopf, QStringLiteral("Raum"), QStringLiteral("Art"),
                                                                    QStringLiteral("T"), QStringLiteral("V"), QStringLiteral("B")));
        EXPECT_EQ(datei, QByteArray("\xEF\xBB\xBF") + f.zeile1 + f.zeile2) << datei.constData();
        // Line 2 has one caption for every field of line 1, except the laundry list, whose
        // two change columns have none.
        EXPECT_EQ(f.zeile1.count(';'), f.zeile2.count(';') + (f.waesche ? 2 : 0));
    }
}

TEST(AllgdatTest, RecordsKeepOneLineAndTheirFieldCount) {
    struct Fall {
        const char* name;
        const char* feld;
        const char* wert;
        const char* geschrieben;
    };
    const QList<Fall> faelle = {
        {"remark in quotes", "ResBemerkung", "ruhig", "\"ruhig\""},
        {"quote inside quotes", "ResBemerkung", "\"A\"", "\"'A'\""},
        {"semicolon inside a remark", "AdressBemerkung", "a;b", "\"a;b\""},
        {"semicolon outside quotes", "Nachname", "a;b", "a,b"},
        {"line break", "ResBemerkung", "eins\r\nzwei", "\"eins zwei\""},
        {"tilde does not split the record", "Vorname", "a~b", "a-b"},
        {"plain value", "Zimmer", "101", "101"},
    };
    const QStringList namen = allgdat::feldnamen(allgdat::Layout::A);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        QHash<QString, QString> werte{{QString::fromUtf8(f.feld), QString::fromUtf8(f.wert)}};
        const QByteArray datei = allgdat::inhalt(allgdat::datensatz(allgdat::Layout::A, werte));
        EXPECT_EQ(datei.count("\r\n"), 1);
        const QString zeile = QString::fromUtf8(datei.mid(3)).chopped(2);
        const QStringList teile = zeile.split(QLatin1Char(';'));
        const int i = namen.indexOf(QString::fromUtf8(f.feld));
        if (!QByteArray(f.wert).contains(';')) {
            EXPECT_EQ(teile.size(), namen.size());
            EXPECT_EQ(teile.value(i), QString::fromUtf8(f.geschrieben));
        } else {
            EXPECT_TRUE(zeile.contains(QString::fromUtf8(f.geschrieben)));
        }
    }
}

TEST(AllgdatTest, EmptyPiecesAreNotWrittenAndAFailedWriteSaysSo) {
    EXPECT_EQ(allgdat::inhalt(QStringLiteral("a~~b~")), QByteArray("\xEF\xBB\xBF"
                                                                   "a\r\nb\r\n"));
    TempFolder ordner;
    const QString pfad = ordner.file(QStringLiteral("allgdat.doc"));
    EXPECT_TRUE(allgdat::schreiben(pfad, allgdat::datei(QStringLiteral("x~"))));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xEF\xBB\xBFx\r\n"));
    EXPECT_FALSE(allgdat::schreiben(ordner.file(QStringLiteral("fehlt/allgdat.doc")), allgdat::datei(QStringLiteral("x"))));
}

}  // namespace

}  // namespace tav::test

namespace tav::test {

namespace {

// Every merge field of a shipped list template names a field of the data file its lists write.
TEST(AllgdatTest, TemplatesUseOnlyFieldsOfTheirDataFile) {
    struct Fall {
        const char* vorlage;
        QList<allgdat::Layout> layouts;
    };
    const QList<Fall> faelle = {
        {"fruehdru.html", {allgdat::Layout::A, allgdat::Layout::C}},
        {"tages.html", {allgdat::Layout::B}},
        {"waschdru.html", {allgdat::Layout::W}},
        {"allgdru.html", {allgdat::Layout::A}},
    };
    static const QRegularExpression feld(QStringLiteral("«([^»]+)»"));
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.vorlage);
        QFile datei(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/") + QString::fromUtf8(f.vorlage));
        ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(datei.readAll());
        EXPECT_EQ(html.count(QStringLiteral("<tr data-repeat data-if-not=\"ID=ID\">")), 1);
        int felder = 0;
        for (auto it = feld.globalMatch(html); it.hasNext(); ++felder) {
            const QString name = it.next().captured(1);
            for (const auto layout : f.layouts) EXPECT_TRUE(allgdat::feldnamen(layout).contains(name)) << name.toStdString();
        }
        EXPECT_GT(felder, 5);
    }
}

// A breakfast list merged through the shipped template: the guest of the record is on the page,
// and the caption line heads the table instead of standing among the guests.
TEST(AllgdatTest, BreakfastTemplateMergesItsDataFile) {
    TempFolder ordner;
    QHash<QString, QString> gast;
    gast.insert(QStringLiteral("Zimmer"), QStringLiteral("12"));
    gast.insert(QStringLiteral("Vorname"), QStringLiteral("Jürgen"));
    gast.insert(QStringLiteral("Nachname"), QStringLiteral("Kleinschmidt"));
    gast.insert(QStringLiteral("Gästezahl"), QStringLiteral("2"));
    const QString aufgebaut =
        allgdat::zeile1(allgdat::Kopf::Mahlzeit) +
        allgdat::zeile2(allgdat::Kopf::Mahlzeit, QStringLiteral("Zimmer"), QStringLiteral("Art"), QStringLiteral("Frühstücksliste"),
                        QStringLiteral("06.12.2026"), QStringLiteral("06.12.2026")) +
        allgdat::datensatz(allgdat::Layout::A, gast);
    const QString daten = ordner.file(QStringLiteral("allgdat.doc"));
    ASSERT_TRUE(allgdat::schreiben(daten, allgdat::datei(aufgebaut)));
    const MergeResult r = mailMerge(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/fruehdru.html"), daten,
                                    ordner.file(QStringLiteral("fruehdru.htm")), ordner.file(QStringLiteral("fruehdru.pdf")));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    QFile html(r.document);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Kleinschmidt")));
    EXPECT_TRUE(text.contains(QStringLiteral("Jürgen")));
    EXPECT_FALSE(text.contains(QStringLiteral("Zimmerbemerkung")));  // the caption line's value
    EXPECT_GT(QFileInfo(r.pdf).size(), 1000);
}

}  // namespace

}  // namespace tav::test
