#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav::test;

namespace {

const QString kRechnung = QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/rechnung.html");

}  // namespace

TEST(OutputCommandsTest, SampleDataMergedIntoAPdfAndADocument) {
    tav::test::TempFolder tmp;
    const Lauf muster = werkzeug({"musterdaten", tmp.path()});
    ASSERT_EQ(muster.code, 0) << muster.err.toStdString();
    for (const char* f : {"Rechn.doc", "ReDetail.doc", "ReDetail.rtf", "angeb.doc", "Best.doc"})
        EXPECT_TRUE(QFileInfo::exists(tmp.file(QString::fromLatin1(f)))) << f;

    const Lauf pdf = werkzeug({"merge", kRechnung, tmp.file("Rechn.doc"), tmp.file("r.pdf")});
    ASSERT_EQ(pdf.code, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.contains(QStringLiteral("r.pdf")));
    EXPECT_GT(QFileInfo(tmp.file(QStringLiteral("r.pdf"))).size(), 1000);
    EXPECT_FALSE(QFileInfo::exists(tmp.file(QStringLiteral("r.doc")))) << "ZIEL.pdf writes only the PDF";

    const Lauf dok = werkzeug({"merge", kRechnung, tmp.file("Rechn.doc"), tmp.file("Kopie.doc")});
    ASSERT_EQ(dok.code, 0) << dok.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(tmp.file(QStringLiteral("Kopie.doc"))));
    EXPECT_TRUE(QFileInfo::exists(tmp.file(QStringLiteral("Kopie.pdf"))));
}

TEST(OutputCommandsTest, MistakesGiveAGermanMessageAndANonZeroExitCode) {
    tav::test::TempFolder tmp;
    ASSERT_EQ(werkzeug({"musterdaten", tmp.path()}).code, 0);
    const QString daten = tmp.file(QStringLiteral("Rechn.doc"));
    const Aufruf faelle[] = {
        {"missing template",
         {"merge", tmp.file("rechnung.doc"), daten, tmp.file("a.pdf")},
         1,
         {},
         "Das Programm 'Word' konnte nicht geöffnet werden."},
        {"missing data file", {"merge", kRechnung, tmp.file("fehlt.doc"), tmp.file("a.pdf")}, 1, {}, "fehlt.doc"},
        {"missing folder", {"merge", kRechnung, daten, tmp.file("x/a.pdf")}, 1, {}, "Ordner"},
        {"template for another data file",
         {"merge", kRechnung, tmp.file("Best.doc"), tmp.file("a.pdf")},
         1,
         {},
         "das in der Datendatei nicht vorkommt"},
        {"too few arguments", {"merge", kRechnung}, 2, {}, "Aufruf"},
        {"sample data without folder", {"musterdaten"}, 2, {}, "Aufruf"},
    };
    for (const Aufruf& f : faelle) pruefe(f);
    EXPECT_FALSE(QFileInfo::exists(tmp.file(QStringLiteral("a.pdf"))));
    EXPECT_TRUE(werkzeug({"hilfe"}).err.contains(QStringLiteral("tavomera-db merge VORLAGE"))) << "the usage names the commands";
}
