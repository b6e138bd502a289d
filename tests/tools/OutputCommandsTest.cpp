#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/TempFolder.h"

namespace {

struct Ergebnis {
    int exitCode;
    QString out;
    QString err;
};

Ergebnis werkzeug(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

const QString kRechnung = QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/rechnung.html");

}  // namespace

TEST(OutputCommandsTest, SampleDataMergedIntoAPdfAndADocument) {
    tav::test::TempFolder tmp;
    const Ergebnis muster = werkzeug({QStringLiteral("musterdaten"), tmp.path()});
    ASSERT_EQ(muster.exitCode, 0) << muster.err.toStdString();
    for (const char* f : {"Rechn.doc", "ReDetail.doc", "ReDetail.rtf", "angeb.doc", "Best.doc"})
        EXPECT_TRUE(QFileInfo::exists(tmp.file(QString::fromLatin1(f)))) << f;

    const Ergebnis pdf =
        werkzeug({QStringLiteral("merge"), kRechnung, tmp.file(QStringLiteral("Rechn.doc")), tmp.file(QStringLiteral("r.pdf"))});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.contains(QStringLiteral("r.pdf")));
    EXPECT_GT(QFileInfo(tmp.file(QStringLiteral("r.pdf"))).size(), 1000);
    EXPECT_FALSE(QFileInfo::exists(tmp.file(QStringLiteral("r.doc")))) << "ZIEL.pdf writes only the PDF";

    const Ergebnis dok =
        werkzeug({QStringLiteral("merge"), kRechnung, tmp.file(QStringLiteral("Rechn.doc")), tmp.file(QStringLiteral("Kopie.doc"))});
    ASSERT_EQ(dok.exitCode, 0) << dok.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(tmp.file(QStringLiteral("Kopie.doc"))));
    EXPECT_TRUE(QFileInfo::exists(tmp.file(QStringLiteral("Kopie.pdf"))));
}

TEST(OutputCommandsTest, MistakesGiveAGermanMessageAndANonZeroExitCode) {
    tav::test::TempFolder tmp;
    ASSERT_EQ(werkzeug({QStringLiteral("musterdaten"), tmp.path()}).exitCode, 0);
    const QString daten = tmp.file(QStringLiteral("Rechn.doc"));
    const struct {
        const char* name;
        QStringList args;
        int code;
        const char* sagt;
    } faelle[] = {
        {"missing template",
         {QStringLiteral("merge"), tmp.file(QStringLiteral("rechnung.doc")), daten, tmp.file(QStringLiteral("a.pdf"))},
         1,
         "Das Programm 'Word' konnte nicht geöffnet werden."},
        {"missing data file",
         {QStringLiteral("merge"), kRechnung, tmp.file(QStringLiteral("fehlt.doc")), tmp.file(QStringLiteral("a.pdf"))},
         1,
         "fehlt.doc"},
        {"missing folder", {QStringLiteral("merge"), kRechnung, daten, tmp.file(QStringLiteral("x/a.pdf"))}, 1, "Ordner"},
        {"template for another data file",
         {QStringLiteral("merge"), kRechnung, tmp.file(QStringLiteral("Best.doc")), tmp.file(QStringLiteral("a.pdf"))},
         1,
         "das in der Datendatei nicht vorkommt"},
        {"too few arguments", {QStringLiteral("merge"), kRechnung}, 2, "Aufruf"},
        {"sample data without folder", {QStringLiteral("musterdaten")}, 2, "Aufruf"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ergebnis e = werkzeug(f.args);
        EXPECT_EQ(e.exitCode, f.code);
        EXPECT_TRUE(e.err.contains(QString::fromUtf8(f.sagt))) << e.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.file(QStringLiteral("a.pdf"))));
    EXPECT_TRUE(werkzeug({QStringLiteral("hilfe")}).err.contains(QStringLiteral("tavomera-db merge VORLAGE")))
        << "the usage names the commands";
}
