#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "invoice/Dokumentausgabe.h"
#include "invoice/Musterdaten.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

const Dokumentart kAlle[] = {Dokumentart::RechnungEditor, Dokumentart::AngebotEditor, Dokumentart::BestaetigungEditor,
                             Dokumentart::Rechnung,       Dokumentart::Angebot,       Dokumentart::Anmeldung,
                             Dokumentart::ResBestaetigung};

// A program folder with the shipped templates under their installed names and the sample data.
class DokumentausgabeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const struct {
            const char* quelle;
            const char* name;
        } vorlagen[] = {{"rechnung.html", "rechnung.doc"},   {"varangebot.html", "VarAngebot.doc"},
                        {"bestaet.html", "Bestät.doc"},      {"angebot.html", "angebot.doc"},
                        {"anmeldung.html", "Anmeldung.doc"}, {"resbestaetigung.html", "resbestätigung.doc"}};
        for (const auto& v : vorlagen)
            ASSERT_TRUE(QFile::copy(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/") + QString::fromUtf8(v.quelle),
                                    ordner_.file(QString::fromUtf8(v.name))))
                << v.name;
        QString fehler;
        ASSERT_TRUE(Musterdaten::schreiben(ordner_.path(), QDate(2026, 6, 15), &fehler)) << qPrintable(fehler);
    }

    static QString pdfText(const QString& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    }

    test::TempFolder ordner_;
};

}  // namespace

TEST_F(DokumentausgabeTest, TheTwoRoomInvoiceReadsAsAGermanInvoice) {
    const MergeResult r = Dokumentausgabe::ausgeben(Dokumentart::Rechnung, ordner_.path(), QStringLiteral("Rechnung Weißgerber.doc"));
    ASSERT_TRUE(r.ok) << qPrintable(r.message);
    EXPECT_EQ(r.document, ordner_.file(QStringLiteral("Rechnungen/Rechnung Weißgerber.doc")));
    EXPECT_EQ(r.pdf, ordner_.file(QStringLiteral("Rechnungen/Rechnung Weißgerber.pdf")));
    EXPECT_EQ(r.copies, 2);
    const QString text = pdfText(r.pdf);
    // The texts of the page, separated by |.
    const QStringList erwartet =
        QStringLiteral(
            "Rechnung Nr. R-2026-0815|Dr. Johanna Weißgerber|81669 München|Kundennummer|4182|Rechnungsdatum|15.06.2026|B-2026-1201|"
            "Übernachtungen|Zimmer 12 (Doppelzimmer Talblick)|mit Halbpension|Gästezahl: 2 Erw./ 1 Kind|Getränke Minibar|"
            "Zwischensumme:|1.232,50 EUR|Stammgastrabatt 4 %|-45,83 EUR|7% MwSt|73,35 EUR|19% MwSt|9,89 EUR|Rechnungsbetrag|"
            "1.183,20 EUR|noch zu zahlen:|783,20|Zahlungsziel: 14 Tage ohne Abzug|IBAN DE12 7105 0000 0020 1234 56|"
            "Steuernummer: 165/123/45678|Mit freundlichen Grüßen")
            .split(QLatin1Char('|'));
    for (const QString& soll : erwartet) {
        SCOPED_TRACE(soll.toStdString());
        EXPECT_TRUE(text.contains(soll));
    }
    EXPECT_EQ(text.count(QChar(0x0C)), 1) << "the sample invoice fits on one page\n" << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("«"))) << "no field left unfilled";
}

TEST_F(DokumentausgabeTest, EveryTemplateMergesWithItsDataFileIntoItsFolder) {
    for (Dokumentart art : kAlle) {
        SCOPED_TRACE(Dokumentausgabe::vorlage(art).toStdString());
        const MergeResult r = Dokumentausgabe::ausgeben(art, ordner_.path(), QStringLiteral("Beleg.doc"));
        ASSERT_TRUE(r.ok) << qPrintable(r.message);
        const QString unterordner = Dokumentausgabe::ordner(art);
        EXPECT_EQ(QFileInfo(r.document).absolutePath(),
                  QFileInfo(unterordner.isEmpty() ? ordner_.path() : ordner_.file(unterordner)).absoluteFilePath());
        EXPECT_TRUE(QFileInfo::exists(r.pdf));
        const QString text = pdfText(r.pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Weißgerber")));
        EXPECT_FALSE(text.contains(QStringLiteral("«")));
    }
}

TEST_F(DokumentausgabeTest, WithoutSenderTheLetterheadAndFooterAreLeftOut) {
    Briefdaten b = Musterdaten::brief(QDate(2026, 6, 15));
    b.mitAdresse = false;
    ASSERT_TRUE(Briefdatei::datei(b).save(ordner_.file(Briefdatei::kDateiname)));
    const MergeResult r = Dokumentausgabe::ausgeben(Dokumentart::RechnungEditor, ordner_.path());
    ASSERT_TRUE(r.ok) << qPrintable(r.message);
    EXPECT_EQ(r.document, ordner_.file(QStringLiteral("Serienbrief.doc")));
    const QString text = pdfText(r.pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("1.183,20")));
    EXPECT_FALSE(text.contains(QStringLiteral("Am Lindenplatz 4"))) << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("Steuernummer")));
}

TEST_F(DokumentausgabeTest, AMissingTemplateGivesTheMessageAndWritesNothing) {
    ASSERT_TRUE(QFile::remove(ordner_.file(QStringLiteral("resbestätigung.doc"))));
    const MergeResult r = Dokumentausgabe::ausgeben(Dokumentart::ResBestaetigung, ordner_.path(), QStringLiteral("Beleg.doc"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("Das Programm 'Word' konnte nicht geöffnet werden.")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("resbestätigung.doc")));
    EXPECT_TRUE(QDir(ordner_.file(QStringLiteral("Bestätigungen"))).isEmpty());
}

TEST(DokumentausgabeNamenTest, KindsUseTheirTemplateDataFileAndFolder) {
    const struct {
        Dokumentart art;
        const char* vorlage;
        const char* daten;
        const char* ordner;
    } rows[] = {{Dokumentart::RechnungEditor, "rechnung.doc", "Rechn.doc", ""},
                {Dokumentart::AngebotEditor, "VarAngebot.doc", "Rechn.doc", ""},
                {Dokumentart::BestaetigungEditor, "Bestät.doc", "Rechn.doc", ""},
                {Dokumentart::Rechnung, "rechnung.doc", "Rechn.doc", "Rechnungen"},
                {Dokumentart::Angebot, "angebot.doc", "angeb.doc", "Angebote"},
                {Dokumentart::Anmeldung, "Anmeldung.doc", "Best.doc", "Anmeldungen"},
                {Dokumentart::ResBestaetigung, "resbestätigung.doc", "Best.doc", "Bestätigungen"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.vorlage);
        EXPECT_EQ(Dokumentausgabe::vorlage(r.art), QString::fromUtf8(r.vorlage));
        EXPECT_EQ(Dokumentausgabe::datendatei(r.art), QString::fromUtf8(r.daten));
        EXPECT_EQ(Dokumentausgabe::ordner(r.art), QString::fromUtf8(r.ordner));
    }
    EXPECT_EQ(Dokumentausgabe::pdfPfad(QStringLiteral("/p/Rechnungen/Rechnung Huber.doc")),
              QStringLiteral("/p/Rechnungen/Rechnung Huber.pdf"));
}
