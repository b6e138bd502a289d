#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "backup/Datensicherung.h"
#include "backup/Wiederherstellung.h"
#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

using namespace tav;

// Backups and restores run as processes of the admin tool and are killed (kill -9) at random
// moments; afterwards every database must open, be sound and hold either the old or the new
// data, the same in every file, and no unfinished folder may be listed as a backup. The
// numbers of runs come from TAVOMERA_ABSTURZ_SICHERUNGEN and TAVOMERA_ABSTURZ_RUECKSICHERUNGEN
// (the long form in scripts/absturztest).
class AbsturzTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(tmp_.path());
        for (const QString& f : dateien()) {
            auto d = Database::open(f);
            d->executeNative(QStringLiteral("CREATE TABLE Stand (Wert TEXT)"));
            d->executeNative(QStringLiteral("INSERT INTO Stand VALUES ('alt')"));
            // Some volume, so that a run takes long enough to be cut in its middle.
            d->executeNative(QStringLiteral("CREATE TABLE Fuellung (Text TEXT)"));
            d->executeNative(
                QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                               "INSERT INTO Fuellung SELECT printf('%08d Zeile mit etwas Inhalt', i) FROM n"));
        }
    }
    QStringList dateien() const {
        return {tmp_.file(QStringLiteral("Tavomera.mdb")), tmp_.file(QStringLiteral("Zentral.mdb")),
                tmp_.file(QStringLiteral("Beispiel.mdb"))};
    }
    SicherungsDateien sicherung() const {
        SicherungsDateien d;
        d.arbeit = dateien()[0];
        d.zentral = dateien()[1];
        d.beispiel = dateien()[2];
        d.programmordner = tmp_.path();
        d.wurzel = wurzel();
        return d;
    }
    QString wurzel() const { return tmp_.file(QStringLiteral("Sicherungen")) + QLatin1Char('/'); }
    static QString stand(const QString& f) { return Database::open(f)->scalar(QStringLiteral("SELECT Wert FROM Stand")).toString(); }

    // Starts the admin tool with a settings file of its own; kills it after ms (−1: waits).
    // Returns true when it ran to its end.
    bool werkzeug(const QStringList& args, int ms) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
        EXPECT_TRUE(p.waitForStarted());
        if (ms < 0) {
            EXPECT_TRUE(p.waitForFinished(120000));
            EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
            return true;
        }
        if (p.waitForFinished(ms)) {
            EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
            return true;
        }
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();
        return false;
    }

    void pruefen(const char* nach) {
        SCOPED_TRACE(nach);
        // What the next run does first: finish or drop a restore that was cut off.
        Wiederherstellung::fortsetzen(dateien()[1]);
        QStringList staende;
        for (const QString& f : dateien()) {
            ASSERT_EQ(Database::integrityProblem(f), QString()) << f.toStdString();
            staende << stand(f);
        }
        EXPECT_TRUE(staende[0] == QLatin1String("alt") || staende[0] == QLatin1String("neu")) << staende[0].toStdString();
        EXPECT_EQ(staende[1], staende[0]) << "working and central database differ";
        EXPECT_EQ(staende[2], staende[0]) << "sample database differs";
        for (const SicherungsEintrag& e : clsDateien::VerzeichnisseEinlesen(wurzel())) {
            ASSERT_TRUE(e.alleDbs) << e.name.toStdString();
            for (const QString& f : clsDateien::datenbankNamen())
                ASSERT_EQ(Database::integrityProblem(wurzel() + e.name + QLatin1Char('/') + f), QString()) << e.name.toStdString();
        }
    }

    test::TempFolder tmp_;
    test::TempFolder config_;
};

TEST_F(AbsturzTest, KilledBackupsAndRestoresLeaveOldOrNewDataAndNoHalfBackup) {
    const int sicherungen = qMax(
        1, qEnvironmentVariableIsSet("TAVOMERA_ABSTURZ_SICHERUNGEN") ? qEnvironmentVariableIntValue("TAVOMERA_ABSTURZ_SICHERUNGEN") : 6);
    const int ruecksicherungen = qMax(1, qEnvironmentVariableIsSet("TAVOMERA_ABSTURZ_RUECKSICHERUNGEN")
                                             ? qEnvironmentVariableIntValue("TAVOMERA_ABSTURZ_RUECKSICHERUNGEN")
                                             : 4);
    const QStringList ordnerArg{tmp_.path(), QStringLiteral("--root"), wurzel()};
    // The old state as a backup, then the new state in the files.
    QElapsedTimer t;
    t.start();
    werkzeug(QStringList{QStringLiteral("backup")} + ordnerArg, -1);
    const int dauerSicherung = static_cast<int>(t.elapsed());
    const QList<SicherungsEintrag> alt = clsDateien::VerzeichnisseEinlesen(wurzel());
    ASSERT_EQ(alt.size(), 1);
    // The old state is kept outside the root: the rotation of the many runs below would
    // delete it there.
    const QString altOrdner = tmp_.file(QStringLiteral("alt"));
    ASSERT_TRUE(QDir().mkpath(altOrdner));
    for (const QString& f : clsDateien::datenbankNamen())
        ASSERT_TRUE(QFile::copy(wurzel() + alt.first().name + QLatin1Char('/') + f, altOrdner + QLatin1Char('/') + f));
    auto neuSetzen = [&] {
        for (const QString& f : dateien()) Database::open(f)->executeNative(QStringLiteral("UPDATE Stand SET Wert = 'neu'"));
    };
    // One whole restore, for its duration: it brings the old state back.
    neuSetzen();
    QThread::msleep(1100);
    t.restart();
    werkzeug({QStringLiteral("restore"), tmp_.path(), altOrdner, QStringLiteral("--root"), wurzel()}, -1);
    const int dauerRuecksicherung = static_cast<int>(t.elapsed());
    ASSERT_EQ(stand(dateien()[1]), QStringLiteral("alt"));
    neuSetzen();

    // Kill moments spread over the whole run and a little beyond, so that some runs finish.
    QRandomGenerator zufall(quint32(QDateTime::currentMSecsSinceEpoch()));
    int getoetet = 0;
    int wiederhergestellt = 0;
    int unveraendert = 0;
    for (int i = 0; i < sicherungen; ++i) {
        QThread::msleep(1100);  // a new stamp for every run
        if (!werkzeug(QStringList{QStringLiteral("backup")} + ordnerArg, zufall.bounded(dauerSicherung * 6 / 5 + 1))) ++getoetet;
        pruefen("backup");
    }
    for (int i = 0; i < ruecksicherungen; ++i) {
        neuSetzen();
        QThread::msleep(1100);
        // The restore backs up the current state first and then replaces the files.
        if (!werkzeug({QStringLiteral("restore"), tmp_.path(), altOrdner, QStringLiteral("--root"), wurzel()},
                      zufall.bounded(dauerRuecksicherung * 4 + 1)))
            ++getoetet;
        pruefen("restore");
        ++(stand(dateien()[1]) == QLatin1String("alt") ? wiederhergestellt : unveraendert);
    }
    std::printf(
        "Abbrüche: %d von %d Läufen (Sicherung ohne Abbruch %d ms, Wiederherstellung %d ms); nach den Wiederherstellungen "
        "alle Dateien alt: %d, alle neu: %d; Sicherungsordner: %d\n",
        getoetet, sicherungen + ruecksicherungen, dauerSicherung, dauerRuecksicherung, wiederhergestellt, unveraendert,
        static_cast<int>(clsDateien::VerzeichnisseEinlesen(wurzel()).size()));
    EXPECT_GT(getoetet, 0) << "no run was cut off: the test proves nothing";
}

TEST_F(AbsturzTest, BackupWhileAnotherProcessSavesBookingsHoldsAPrefixOfThem) {
    const QString zentral = dateien()[1];
    const int anzahl = 120;
    // The second workstation: one process per saved booking, as a user saving form after form.
    QProcess schreiber;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    schreiber.setProcessEnvironment(env);
    schreiber.start(QStringLiteral("bash"), {QStringLiteral("-c"),
                                             QStringLiteral("for i in $(seq 1 %1); do \"$0\" exec --db \"$1\" "
                                                            "\"INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel) VALUES (1, "
                                                            "#01-01-2027#, #01-02-2027#, 'Nr $i')\" >/dev/null || exit 1; done")
                                                 .arg(anzahl),
                                             QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), zentral});
    ASSERT_TRUE(schreiber.waitForStarted());
    QThread::msleep(300);
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    const QString ordner = Datensicherung(sicherung(), dialogs, shell).sichern(SicherungsArt::Datenbank);
    ASSERT_TRUE(schreiber.waitForFinished(120000));
    ASSERT_EQ(schreiber.exitCode(), 0) << schreiber.readAllStandardError().toStdString();
    ASSERT_FALSE(ordner.isEmpty());

    const QString kopie = ordner + QStringLiteral("Zentral.mdb");
    ASSERT_EQ(Database::integrityProblem(kopie), QString());
    auto gesichert = Database::open(kopie);
    auto rs = gesichert->openRecordset(QStringLiteral("SELECT Kürzel FROM tblBelegung ORDER BY ID"));
    int n = 0;
    for (; !rs.eof(); rs.moveNext()) {
        ++n;
        ASSERT_EQ(rs.value(QStringLiteral("Kürzel")).toString(), QStringLiteral("Nr %1").arg(n));
    }
    EXPECT_GT(n, 0) << "the backup was taken before the first booking";
    EXPECT_LT(n, anzahl) << "the backup was taken after the last booking";
    EXPECT_EQ(Database::open(zentral)->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), anzahl);
}
