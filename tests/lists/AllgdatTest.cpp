#include "lists/Allgdat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/MailMerge.h"
#include "support/TempFolder.h"

namespace tav::test {

namespace {

TEST(AllgdatTest, HeaderLinesOfEveryLayoutByteForByte) {
    // The meal lists' field names and captions; the other layouts are written as their changes.
    const QByteArray namen =
        "ZimBemerkung;Check;Abgerechnet;Gästezahl;Frühstück;Zimmer;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;"
        "BelegArt;Von;Bis;Z1;Z2;AdressBemerkung;ResBemerkung;Kürzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;Zahlart;ID;WasDrucken;"
        "VonWann;BisWann;Anz_Kinder";
    const QByteArray titel =
        "Zimmerbemerkung;Status;Abgerechnet;G;Frühstück;Raum;Vorname;Nachname;Name 2;Straße;PLZ;Ort;Land;e-Mail;Telefon;Fax;Art;Von;"
        "Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorläufig;Zahlart;ID;T;V;B;K";
    const auto ersetzt = [](QByteArray s, const char* alt, const char* neu) { return s.replace(alt, neu); };
    const QByteArray mittag = ersetzt(ersetzt(titel, "Zimmerbemerkung", "Reservierungsnummer"), "Name 2", "Rechnungsanschrift");
    struct Fall {
        const char* titel;
        bool waesche;
        QByteArray zeile1;
        QByteArray zeile2;
    };
    const QList<Fall> faelle = {
        {"Frühstücksliste", false, namen, titel},
        {"Halbpension", false, namen, titel},
        {"Tagesliste", false, namen + ";Mittag;Abendessen", ersetzt(titel, ";Frühstück;", ";F;") + ";M;A"},
        {"Abendessen", false, ersetzt(ersetzt(namen, ";Zimmer;", ";"), ";Bis;", ";Bis;Zimmer;"),
         ersetzt(ersetzt(mittag, ";Raum;", ";"), ";Bis;", ";Bis;Raum;")},
        {"Mittag", false, namen, mittag},
        {"Wäscheliste", true,
         "ZimBemerkung;Check;Vorname;Nachname;Firma;Strasse;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Zimmer;Z1;Z2;ResBemerkung;"
         "Kürzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;ID;Adressbemerkung;Gästezahl;WasDrucken;VonWann;BisWann;Wäsche1;Wäsche2;"
         "Frühstück",
         "Zimmerbemerkung;Status;Vorname;Nachname;Name 2;Straße;Ort;Land;e-Mail;Telefon;Fax;Art;Von;Bis;Raum;Z1;Z2;Reservierungsbem.;"
         "Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorläufig;ID;Adressbemerkung;G;T;V;B;F"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        const allgdat::Kopf kopf = f.waesche ? allgdat::Kopf::Waesche : allgdat::kopfFuerTitel(QString::fromUtf8(f.titel));
        const QByteArray datei =
            allgdat::inhalt(allgdat::zeile1(kopf) + allgdat::zeile2(kopf, QStringLiteral("Raum"), QStringLiteral("Art"),
                                                                    QStringLiteral("T"), QStringLiteral("V"), QStringLiteral("B")));
        EXPECT_EQ(datei, "\xEF\xBB\xBF" + f.zeile1 + "\r\n" + f.zeile2 + "\r\n") << datei.constData();
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
    const QHash<QString, QString> gast{{QStringLiteral("Zimmer"), QStringLiteral("12")},
                                       {QStringLiteral("Vorname"), QStringLiteral("Jürgen")},
                                       {QStringLiteral("Nachname"), QStringLiteral("Kleinschmidt")},
                                       {QStringLiteral("Gästezahl"), QStringLiteral("2")}};
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
