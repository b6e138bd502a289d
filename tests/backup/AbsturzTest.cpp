#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include "backup/SicherungFixture.h"
#include "backup/Wiederherstellung.h"
#include "backup/clsDateien.h"
#include "support/TempFolder.h"

using namespace tav;

// Backups and restores run as processes of the admin tool and are killed (kill -9) at random
// moments; afterwards every database must open, be sound and hold either the old or the new
// data, the same in every file, and no unfinished folder may be listed as a backup. The
// numbers of runs come from TAVOMERA_ABSTURZ_SICHERUNGEN and TAVOMERA_ABSTURZ_RUECKSICHERUNGEN
// (the long form in scripts/absturztest).
class AbsturzTest : public test::SicherungFixture {
protected:
    void SetUp() override {
        SicherungFixture::SetUp();
        // Some volume, so that a run takes long enough to be cut in its middle.
        for (const QString& f : clsDateien::datenbankNamen()) {
            auto d = open(f);
            d->executeNative(QStringLiteral("CREATE TABLE Fuellung (Text TEXT)"));
            d->executeNative(
                QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                               "INSERT INTO Fuellung SELECT printf('%08d Zeile mit etwas Inhalt', i) FROM n"));
        }
    }
    static int anzahl(const char* variable, int vorgabe) {
        return qMax(1, qEnvironmentVariableIsSet(variable) ? qEnvironmentVariableIntValue(variable) : vorgabe);
    }
    // Runs the tool; true when it ran to its end, which must be a success.
    bool lauf(const QStringList& args, int ms) {
        const int rc = test::werkzeug(config_.path(), args, ms);
        EXPECT_TRUE(rc == 0 || rc == -1) << "exit code " << rc;
        return rc == 0;
    }

    void pruefen(const char* nach) {
        SCOPED_TRACE(nach);
        // What the next run does first: finish or drop a restore that was cut off.
        Wiederherstellung::fortsetzen(file(QStringLiteral("Zentral.mdb")));
        QStringList staende;
        for (const QString& f : clsDateien::datenbankNamen()) {
            ASSERT_EQ(Database::integrityProblem(file(f)), QString()) << f.toStdString();
            staende << stand(f);
        }
        EXPECT_TRUE(staende[0] == QLatin1String("alt") || staende[0] == QLatin1String("neu")) << staende[0].toStdString();
        EXPECT_EQ(staende, QStringList(staende.size(), staende[0])) << "the databases differ";
        for (const SicherungsEintrag& e : clsDateien::VerzeichnisseEinlesen(wurzel_)) {
            ASSERT_TRUE(e.alleDbs) << e.name.toStdString();
            for (const QString& f : clsDateien::datenbankNamen())
                ASSERT_EQ(Database::integrityProblem(wurzel_ + e.name + QLatin1Char('/') + f), QString()) << e.name.toStdString();
        }
    }

    test::TempFolder config_;
};

TEST_F(AbsturzTest, KilledBackupsAndRestoresLeaveOldOrNewDataAndNoHalfBackup) {
    const int sicherungen = anzahl("TAVOMERA_ABSTURZ_SICHERUNGEN", 6);
    const int ruecksicherungen = anzahl("TAVOMERA_ABSTURZ_RUECKSICHERUNGEN", 4);
    const QStringList sichern{QStringLiteral("backup"), folder(), QStringLiteral("--root"), wurzel_};
    // The old state is kept outside the root: the rotation of the many runs below would
    // delete it there.
    const QString altOrdner = file(QStringLiteral("alt"));
    const QStringList zurueck{QStringLiteral("restore"), folder(), altOrdner, QStringLiteral("--root"), wurzel_};
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(lauf(sichern, -1));
    const int dauerSicherung = static_cast<int>(t.elapsed());
    const QList<SicherungsEintrag> alt = clsDateien::VerzeichnisseEinlesen(wurzel_);
    ASSERT_EQ(alt.size(), 1);
    ASSERT_TRUE(QDir().rename(wurzel_ + alt.first().name, altOrdner));
    auto neuSetzen = [&] {
        for (const QString& f : clsDateien::datenbankNamen()) setzeStand(f, QStringLiteral("neu"));
    };
    // One whole restore, for its duration: it brings the old state back.
    neuSetzen();
    QThread::msleep(1100);
    t.restart();
    ASSERT_TRUE(lauf(zurueck, -1));
    const int dauerRuecksicherung = static_cast<int>(t.elapsed());
    ASSERT_EQ(stand(QStringLiteral("Zentral.mdb")), QStringLiteral("alt"));
    neuSetzen();

    // Kill moments spread over the whole run and a little beyond, so that some runs finish.
    QRandomGenerator zufall(quint32(QDateTime::currentMSecsSinceEpoch()));
    int getoetet = 0;
    int wiederhergestellt = 0;
    for (int i = 0; i < sicherungen; ++i) {
        QThread::msleep(1100);  // a new stamp for every run
        if (!lauf(sichern, zufall.bounded(dauerSicherung * 6 / 5 + 1))) ++getoetet;
        pruefen("backup");
    }
    for (int i = 0; i < ruecksicherungen; ++i) {
        neuSetzen();
        QThread::msleep(1100);
        // The restore backs up the current state first and then replaces the files.
        if (!lauf(zurueck, zufall.bounded(dauerRuecksicherung * 4 + 1))) ++getoetet;
        pruefen("restore");
        if (stand(QStringLiteral("Zentral.mdb")) == QLatin1String("alt")) ++wiederhergestellt;
    }
    std::printf("Abbrüche: %d von %d Läufen (Sicherung %d ms, Wiederherstellung %d ms); danach alle Dateien alt: %d von %d\n", getoetet,
                sicherungen + ruecksicherungen, dauerSicherung, dauerRuecksicherung, wiederhergestellt, ruecksicherungen);
    EXPECT_GT(getoetet, 0) << "no run was cut off: the test proves nothing";
}

TEST_F(AbsturzTest, BackupWhileAnotherProcessSavesBookingsHoldsAPrefixOfThem) {
    const QString zentral = file(QStringLiteral("Zentral.mdb"));
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
    const QString ordner = Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank);
    ASSERT_TRUE(schreiber.waitForFinished(120000));
    ASSERT_EQ(schreiber.exitCode(), 0) << schreiber.readAllStandardError().toStdString();
    ASSERT_FALSE(ordner.isEmpty());

    const QString kopie = ordner + QStringLiteral("Zentral.mdb");
    ASSERT_EQ(Database::integrityProblem(kopie), QString());
    auto gesichert = Database::open(kopie);
    auto rs = gesichert->openRecordset(QStringLiteral("SELECT Kürzel FROM tblBelegung ORDER BY ID"));
    int n = 0;
    for (; !rs.eof(); rs.moveNext()) ASSERT_EQ(rs.value(QStringLiteral("Kürzel")).toString(), QStringLiteral("Nr %1").arg(++n));
    EXPECT_GT(n, 0) << "the backup was taken before the first booking";
    EXPECT_LT(n, anzahl) << "the backup was taken after the last booking";
    EXPECT_EQ(Database::open(zentral)->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), anzahl);
}
