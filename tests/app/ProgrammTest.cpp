#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "engine/Database.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// The program itself, copied into a program folder of its own under the name given, with a
// settings file of its own.
class ProgrammTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        beispieldaten::anlegen(*Database::open(ordner.file(QStringLiteral("Beispiel.mdb"))), QDate::currentDate());
    }
    void einstellungen(const QString& inhalt) {
        QDir().mkpath(konfig.file(QStringLiteral("Kavurel")));
        QFile f(konfig.file(QStringLiteral("Kavurel/Tavomera.conf")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt.toUtf8());
    }
    struct Lauf {
        int code = -1;
        QString out, err;
    };
    Lauf starte(const QString& name, const QStringList& args) {
        const QString programm = ordner.file(name);
        if (!QFileInfo::exists(programm)) QFile::copy(QStringLiteral(TAVOMERA_BINARY_DIR "/src/app/Tavomera"), programm);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), konfig.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(programm, args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    test::TempFolder ordner, konfig;
};

}  // namespace

TEST_F(ProgrammTest, WithBothPathsOnTheSampleDatabaseTheScreenshotShowsTheMainWindow) {
    einstellungen(QStringLiteral("[Startup]\nPfad=%1\nZentral=%1\n").arg(ordner.file(QStringLiteral("Beispiel.mdb"))));
    const QString bild = ordner.file(QStringLiteral("haupt.png"));
    const Lauf l = starte(QStringLiteral("Tavomera"), {QStringLiteral("--screenshot"), bild});
    ASSERT_EQ(l.code, 0) << l.err.toStdString();
    EXPECT_EQ(l.out.trimmed(), bild);
    EXPECT_TRUE(l.err.contains(QStringLiteral("Fenster: Tavomera Version 3.62"))) << l.err.toStdString();
    const QImage png(bild);
    EXPECT_GE(png.width(), 1000) << "the main window, not a box";
}

TEST_F(ProgrammTest, ANewDatabaseShowsTheSampleQuestion) {
    einstellungen(QStringLiteral("[Startup]\nPfad=%1\nZentral=%2\n")
                      .arg(ordner.file(QStringLiteral("Tavomera.mdb")), ordner.file(QStringLiteral("Zentral.mdb"))));
    const QString frage = ordner.file(QStringLiteral("frage.png"));
    const Lauf l = starte(QStringLiteral("Tavomera"), {QStringLiteral("--screenshot"), frage});
    ASSERT_EQ(l.code, 0) << l.err.toStdString();
    EXPECT_TRUE(l.err.contains(QStringLiteral("Fenster: Tavomera\n"))) << "a box with the title as caption: " << l.err.toStdString();
    EXPECT_LT(QImage(frage).width(), 800);
}

TEST_F(ProgrammTest, TheInstallStepWritesTheMissingPathsOfItsInstance) {
    einstellungen(QStringLiteral("[Startup]\nZentral=/netz/Zentral.mdb\n"));
    const Lauf l = starte(QStringLiteral("Tavomera"), {QStringLiteral("--einrichten")});
    ASSERT_EQ(l.code, 0) << l.err.toStdString();
    EXPECT_TRUE(l.out.contains(QStringLiteral("Eingetragen: Pfad = ") + ordner.file(QStringLiteral("Tavomera.mdb"))));
    EXPECT_FALSE(l.out.contains(QStringLiteral("Eingetragen: Zentral")));
    // Which values are written is mdAccessVerknuepfungTest's; here the option reaches the settings file.
    QFile f(konfig.file(QStringLiteral("Kavurel/Tavomera.conf")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Pfad=") + ordner.file(QStringLiteral("Tavomera.mdb"))));
}
