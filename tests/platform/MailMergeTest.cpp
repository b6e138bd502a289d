#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/DataFile.h"
#include "platform/MailMerge.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

DataFile::Table tabelle(const char* text) { return DataFile::parse(QByteArray(text)); }

QString merge(const QString& html, const DataFile::Table& t, const QString& ordner = {}, QString* fehler = nullptr) {
    QString e;
    const auto r = mergeTemplate(html, t, ordner, &e);
    if (fehler) *fehler = e;
    return r.value_or(QStringLiteral("FEHLER: ") + e);
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(MailMergeTest, FieldsComeFromTheFirstRecordEscapedWithLineBreaks) {
    const auto t = tabelle("Name;Text;Leer\r\nM\xC3\xBCller & <Co>;\"Zeile 1\r\nZeile 2\";\r\nZweiter;x;y\r\n");
    EXPECT_EQ(merge(QStringLiteral("<p>«Name»|«Text»|«Leer»|«name»</p>"), t),
              QStringLiteral("<p>Müller &amp; &lt;Co&gt;|Zeile 1<br>Zeile 2||Müller &amp; &lt;Co&gt;</p>"));
    EXPECT_EQ(merge(QStringLiteral("&laquo;Name&raquo;"), t), QStringLiteral("Müller &amp; &lt;Co&gt;")) << "fields typed as entities";
    EXPECT_EQ(merge(QStringLiteral("<!-- «Unbekannt» -->ok"), t), QStringLiteral("ok")) << "comments may name any field";

    QString fehler;
    merge(QStringLiteral("<p>«Nachnahme»</p>"), t, {}, &fehler);
    EXPECT_EQ(fehler, QStringLiteral("Die Vorlage verwendet das Feld «Nachnahme», das in der Datendatei nicht vorkommt."));
    EXPECT_EQ(merge(QStringLiteral("«Name»"), tabelle("Name\r\n")), QString()) << "a file without records gives empty fields";
}

TEST(MailMergeTest, RepeatedRowsFollowTheirDataFileAndFilter) {
    test::TempFolder tmp;
    schreiben(
        tmp.file(QStringLiteral("ReDetail.doc")),
        "\xEF\xBB\xBF"
        "Steuersatz;Artikel;Gesamtpreis\r\nT;Artikel;Gesamt\r\nB;Nacht;100,00\r\nU;\"\nG\xC3\xA4stezahl: 2\";\r\nZ;Sekt;20,00\r\nG;Gesamtbetrag:;120,00\r\n");
    const auto brief = tabelle("Nummer;Artikel\r\nR-1;Hauptsatz\r\n");

    const struct {
        const char* name;
        const char* vorlage;
        const char* ergebnis;
    } rows[] = {
        {"every record of the named file, the caption line too",
         "<table><tr data-repeat=\"ReDetail.doc\"><td>«Steuersatz»</td></tr></table>",
         "<table><tr><td>T</td></tr><tr><td>B</td></tr><tr><td>U</td></tr><tr><td>Z</td></tr><tr><td>G</td></tr></table>"},
        {"only the listed codes", "<tr data-repeat='ReDetail.doc' data-where=\"Steuersatz=B,Z\"><td>«Artikel»</td></tr>",
         "<tr><td>Nacht</td></tr><tr><td>Sekt</td></tr>"},
        {"a field the row's file lacks comes from the main record",
         "<tr data-repeat=\"ReDetail.doc\" data-where=\"Steuersatz=G\"><td>«Nummer» «Gesamtpreis»</td></tr>",
         "<tr><td>R-1 120,00</td></tr>"},
        {"the row's record wins over the main record",
         "<tr data-repeat=\"ReDetail.doc\" data-where=\"Steuersatz=Z\"><td>«Artikel»</td></tr>", "<tr><td>Sekt</td></tr>"},
        {"conditions inside a row use the row's record",
         "<tr data-repeat=\"ReDetail.doc\" data-where=\"Steuersatz=B,U\"><td data-if=\"Gesamtpreis\">«Gesamtpreis»</td><td data-if-not=\"Gesamtpreis\">«Artikel»</td></tr>",
         "<tr><td>100,00</td></tr><tr><td><br>Gästezahl: 2</td></tr>"},
        {"rows of the main file", "<tr data-repeat><td>«Nummer»</td></tr>", "<tr><td>R-1</td></tr>"},
        {"text around stays", "a<tr data-repeat=\"ReDetail.doc\" data-where=\"Steuersatz=X\"><td/></tr>b", "ab"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(merge(QString::fromUtf8(r.vorlage), brief, tmp.path()), QString::fromUtf8(r.ergebnis));
    }

    QString fehler;
    merge(QStringLiteral("<tr data-repeat=\"Fehlt.doc\"><td></td></tr>"), brief, tmp.path(), &fehler);
    EXPECT_TRUE(fehler.contains(QStringLiteral("Fehlt.doc"))) << qPrintable(fehler);
    merge(QStringLiteral("<tr data-repeat=\"ReDetail.doc\"><td>"), brief, tmp.path(), &fehler);
    EXPECT_TRUE(fehler.contains(QStringLiteral("</tr>"))) << qPrintable(fehler);
    merge(QStringLiteral("<tr data-repeat=\"ReDetail.doc\" data-where=\"Kennung=B\"><td></td></tr>"), brief, tmp.path(), &fehler);
    EXPECT_TRUE(fehler.contains(QStringLiteral("«Kennung»"))) << qPrintable(fehler);
}

TEST(MailMergeTest, ConditionsKeepOrDropAnElementWithItsContents) {
    const auto t = tabelle("Wahr;Falsch;Leer;Null;Nein;Land;Text\r\nWahr;Falsch;;0;Nein;Deutschland;ja\r\n");
    const char* behalten[] = {"data-if=\"Wahr\"",     "data-if=\"Text\"",
                              "data-if-not=\"Leer\"", "data-if=\"Land=Deutschland\"",
                              "data-if=\"Leer=,x\"",  "data-if=\"land=deutschland\""};
    const char* weg[] = {"data-if=\"Falsch\"",
                         "data-if=\"Leer\"",
                         "data-if=\"Null\"",
                         "data-if=\"Nein\"",
                         "data-if-not=\"Wahr\"",
                         "data-if=\"Land=Österreich,Schweiz\"",
                         "data-if-not=\"Land=Deutschland,\""};
    const auto element = [](const char* bedingung) {
        return QStringLiteral("[<span %1 class=\"k\">in <b>fett</b> <span>innen</span></span>]").arg(QString::fromUtf8(bedingung));
    };
    for (const char* b : behalten)
        EXPECT_EQ(merge(element(b), t), QStringLiteral("[<span class=\"k\">in <b>fett</b> <span>innen</span></span>]")) << b;
    for (const char* b : weg) EXPECT_EQ(merge(element(b), t), QStringLiteral("[]")) << b;
    EXPECT_EQ(merge(QStringLiteral("<div data-if=\"Wahr\"><div data-if=\"Falsch\">x</div>y</div>"), t), QStringLiteral("<div>y</div>"));
    QString fehler;
    merge(QStringLiteral("<p data-if=\"Gibtsnicht\">x</p>"), t, {}, &fehler);
    EXPECT_TRUE(fehler.contains(QStringLiteral("«Gibtsnicht»")));
    merge(QStringLiteral("<p data-if=\"Wahr\">offen"), t, {}, &fehler);
    EXPECT_TRUE(fehler.contains(QStringLiteral("</p>"))) << qPrintable(fehler);
}

TEST(MailMergeTest, CopyCountComesFromTheFieldDruckanzahl) {
    const struct {
        const char* datei;
        int kopien;
    } rows[] = {{"Druckanzahl\r\nDruckanzahl=3\r\n", 3},
                {"A;DRUCKANZAHL\r\nx;4\r\n", 4},
                {"Druckanzahl\r\nDruckanzahl=0\r\n", 1},
                {"Druckanzahl\r\nzwei\r\n", 1},
                {"A\r\nx\r\n", 1},
                {"Druckanzahl\r\n", 1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.datei);
        EXPECT_EQ(copyCount(tabelle(r.datei)), r.kopien);
    }
}

TEST(MailMergeTest, MergeWritesTheDocumentAndAnA4PdfWithEmbeddedText) {
    test::TempFolder tmp;
    schreiben(tmp.file(QStringLiteral("vorlage.doc")),
              "<html><body><div data-position=\"20 45 85\"><p>An «Name»</p></div><p>Betrag: «Betrag» EUR</p>"
              "<div data-footer><p>Fußzeile «Name»</p></div></body></html>");
    schreiben(tmp.file(QStringLiteral("Rechn.doc")), "\xEF\xBB\xBFName;Betrag;Druckanzahl\r\nJörg Weiß;1.234,50;Druckanzahl=2\r\n");
    QDir(tmp.path()).mkdir(QStringLiteral("Rechnungen"));
    const QString dok = tmp.file(QStringLiteral("Rechnungen/Rechnung Weiß.doc"));
    const QString pdf = tmp.file(QStringLiteral("Rechnungen/Rechnung Weiß.pdf"));
    const MergeResult r = mailMerge(tmp.file(QStringLiteral("vorlage.doc")), tmp.file(QStringLiteral("Rechn.doc")), dok, pdf);
    ASSERT_TRUE(r.ok) << qPrintable(r.message);
    EXPECT_EQ(r.copies, 2);
    QFile f(dok);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Betrag: 1.234,50 EUR")));
    EXPECT_EQ(QDir(tmp.file(QStringLiteral("Rechnungen"))).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary files left";

    // A template saved in Latin-1 by another editor keeps its umlauts.
    schreiben(tmp.file(QStringLiteral("latin1.doc")),
              "<p>Gr\xFC\xDF"
              "e an \xABName\xBB</p>");
    const MergeResult latin1 = mailMerge(tmp.file(QStringLiteral("latin1.doc")), tmp.file(QStringLiteral("Rechn.doc")),
                                         tmp.file(QStringLiteral("latin1.html")), {});
    ASSERT_TRUE(latin1.ok) << qPrintable(latin1.message);
    QFile l(latin1.document);
    ASSERT_TRUE(l.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(l.readAll()), QStringLiteral("<p>Grüße an Jörg Weiß</p>"));

    QFile p(pdf);
    ASSERT_TRUE(p.open(QIODevice::ReadOnly));
    const QByteArray bytes = p.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595") || bytes.contains("/MediaBox [0 0 594")) << "A4 in points";
    EXPECT_TRUE(bytes.contains("/FontFile2")) << "the fonts are embedded";
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("An Jörg Weiß"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Betrag: 1.234,50 EUR"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Fußzeile Jörg Weiß"))) << qPrintable(text);
}

TEST(MailMergeTest, LongDocumentsBreakIntoNumberedPages) {
    QString html = QStringLiteral("<html><body><table>");
    for (int i = 1; i <= 120; ++i) html += QStringLiteral("<tr><td>Zeile %1</td></tr>").arg(i);
    html += QStringLiteral("</table><div data-footer><p>Fuß</p></div></body></html>");
    test::TempFolder tmp;
    const QString pdf = tmp.file(QStringLiteral("lang.pdf"));
    QString fehler;
    ASSERT_TRUE(writePdf(html, pdf, &fehler)) << qPrintable(fehler);
    const QString text = pdfText(pdf);
    const qsizetype seiten = text.count(QChar(0x0C));
    EXPECT_GE(seiten, 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(seiten))) << qPrintable(text.left(400));
    EXPECT_TRUE(text.contains(QStringLiteral("Zeile 120")));
    EXPECT_EQ(text.count(QStringLiteral("Fuß")), seiten) << "the footer stands on every page";
}

TEST(MailMergeTest, AMissingTemplateOrDataFileLeavesEverythingAsItWas) {
    test::TempFolder tmp;
    const QString dok = tmp.file(QStringLiteral("Rechnung.doc"));
    const QString pdf = tmp.file(QStringLiteral("Rechnung.pdf"));
    schreiben(dok, "alt");
    schreiben(tmp.file(QStringLiteral("Rechn.doc")), "Name\r\nX\r\n");
    schreiben(tmp.file(QStringLiteral("falsch.doc")), "<p>«Nichtda»</p>");

    const MergeResult ohneVorlage = mailMerge(tmp.file(QStringLiteral("rechnung.doc")), tmp.file(QStringLiteral("Rechn.doc")), dok, pdf);
    EXPECT_FALSE(ohneVorlage.ok);
    EXPECT_TRUE(ohneVorlage.message.startsWith(QStringLiteral("Das Programm 'Word' konnte nicht geöffnet werden.\n")));
    EXPECT_TRUE(ohneVorlage.message.contains(QStringLiteral("rechnung.doc")));

    const MergeResult ordnerStattVorlage = mailMerge(tmp.path(), tmp.file(QStringLiteral("Rechn.doc")), dok, pdf);
    EXPECT_FALSE(ordnerStattVorlage.ok);

    const MergeResult ohneDaten = mailMerge(tmp.file(QStringLiteral("falsch.doc")), tmp.file(QStringLiteral("Best.doc")), dok, pdf);
    EXPECT_FALSE(ohneDaten.ok);
    EXPECT_TRUE(ohneDaten.message.contains(QStringLiteral("Best.doc"))) << qPrintable(ohneDaten.message);

    const MergeResult falschesFeld = mailMerge(tmp.file(QStringLiteral("falsch.doc")), tmp.file(QStringLiteral("Rechn.doc")), dok, pdf);
    EXPECT_FALSE(falschesFeld.ok);
    EXPECT_TRUE(falschesFeld.message.contains(QStringLiteral("«Nichtda»"))) << qPrintable(falschesFeld.message);

    const MergeResult keinOrdner =
        mailMerge(tmp.file(QStringLiteral("falsch.doc")), tmp.file(QStringLiteral("Rechn.doc")), tmp.file(QStringLiteral("x/y.doc")), {});
    EXPECT_FALSE(keinOrdner.ok);

    QFile f(dok);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("alt"));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary files left";
}
