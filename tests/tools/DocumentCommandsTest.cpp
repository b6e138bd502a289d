#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "engine/Database.h"
#include "invoice/Belegdaten.h"
#include "invoice/Vorlagen.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

namespace b = tav::test::beleg;

using tav::test::werkzeug;

// The administrator's reprint without the window: a stored invoice by its printed number or
// key to a PDF, and its data files into a folder.
class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tav::dbfiles::createInstallation(tmp_.path());
        auto db = tav::Database::open(tmp_.file(QStringLiteral("Lokal.mdb")));
        b::zimmer(*db, 1, QStringLiteral("101"));
        b::steuer(*db, 1, 7, true);
        b::steuer(*db, 2, 19, false);
        b::Buchung bu;
        bu.preisProNacht = 617.25;  // 1.234,50 for two nights
        const int gast = b::gast(*db, QStringLiteral("Erika"), QStringLiteral("Mustermann"));
        const int id = b::buchung(*db, gast, bu);
        b::dokument(*db, {.nummer = 7, .adresse = gast});
        b::verknuepfen(*db, 7, {id, -b::posten(*db, {.buchung = id, .preis = 10, .steuer = 2})});
        ASSERT_TRUE(tav::test::vorlagenInstallieren(tmp_.path()));
    }
    QString db() const { return tmp_.file(QStringLiteral("Lokal.mdb")); }
    tav::test::TempFolder tmp_;
};

TEST_F(DocumentCommandsTest, AStoredInvoiceIsRenderedAgainByNumberOrKey) {
    for (const char* nummer : {"R 007", "7"}) {
        SCOPED_TRACE(nummer);
        const QString pdf = tmp_.file(QStringLiteral("nochmal.pdf"));
        QFile::remove(pdf);
        const auto e = werkzeug({"nachdruck", "--db", db(), QString::fromUtf8(nummer), pdf});
        ASSERT_EQ(e.code, 0) << e.err.toStdString();
        EXPECT_EQ(e.out.trimmed(), QDir::toNativeSeparators(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString inhalt = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* s : {"1.234,50", "1.244,50", "7% MwSt", "19% MwSt", "R 007"})
            EXPECT_TRUE(inhalt.contains(QString::fromUtf8(s))) << s;
    }
}

TEST_F(DocumentCommandsTest, TheDataFilesOfADocumentGoIntoAFolder) {
    const QString ordner = tmp_.file(QStringLiteral("Daten"));
    QDir().mkpath(ordner);
    const auto e = werkzeug({"datendateien", "--db", db(), "R 007", ordner});
    ASSERT_EQ(e.code, 0) << e.err.toStdString();
    for (const char* f : {"Rechn.doc", "ReDetail.doc", "ReDetail.rtf"}) EXPECT_TRUE(QFileInfo::exists(ordner + QLatin1Char('/') + f)) << f;
    EXPECT_TRUE(e.out.contains(QStringLiteral("Gesamtbetrag\t1.244,50")));
}

TEST_F(DocumentCommandsTest, MistakesGiveAGermanMessageAndANonZeroCode) {
    QDir().mkpath(tmp_.file(QStringLiteral("leer")));
    const tav::test::Aufruf faelle[] = {
        {"unknown number", {"nachdruck", "--db", db(), "R 999", tmp_.file("x.pdf")}, 1, {}, "Es gibt kein Dokument mit der Nummer"},
        {"no database", {"datendateien", "R 007", tmp_.path()}, 2, {}, "Aufruf"},
        {"missing database file", {"datendateien", "--db", tmp_.file("fehlt.mdb"), "R 007", tmp_.path()}, 1, {}, "gibt es nicht"},
        {"missing folder", {"datendateien", "--db", db(), "R 007", tmp_.file("fehlt")}, 1, {}, "Den Ordner"},
        {"missing template",
         {"nachdruck", "--db", db(), "--vorlagen", tmp_.file("leer"), "R 007", tmp_.file("x.pdf")},
         1,
         {},
         "konnte nicht geöffnet werden"},
    };
    for (const auto& f : faelle) tav::test::pruefe(f);
    EXPECT_FALSE(QFileInfo::exists(tmp_.file(QStringLiteral("x.pdf"))));
}
