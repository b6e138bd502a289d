#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QThread>

#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

using namespace tav;

// The admin tool's backup commands as a timer or an administrator calls them: exit codes and
// German messages.
TEST(BackupCommandsTest, ExitCodesAndMessages) {
    test::TempFolder hotel;
    test::TempFolder leer;
    test::TempFolder config;
    dbfiles::createInstallation(hotel.path());
    const QString wurzel = hotel.file(QStringLiteral("Sicherungen"));
    auto werkzeug = [&](const QStringList& args, QString& out, QString& err) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        out = QString::fromUtf8(p.readAllStandardOutput());
        err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    struct Row {
        const char* label;
        QStringList args;
        int rc;
        QString err;  // a part of the error output
    } rows[] = {
        {"no folder", {QStringLiteral("backup")}, 2, QStringLiteral("Aufruf:")},
        {"folder without databases", {QStringLiteral("backup"), leer.path()}, 1, QStringLiteral("Fehler: ")},
        {"restore of a folder that is no backup",
         {QStringLiteral("restore"), hotel.path(), leer.path(), QStringLiteral("--root"), wurzel},
         1,
         QStringLiteral("Die Datenbank 'Tavomera.mdb' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich.")},
        {"backup", {QStringLiteral("backup"), hotel.path(), QStringLiteral("--root"), wurzel}, 0, QString()},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        QString out, err;
        EXPECT_EQ(werkzeug(r.args, out, err), r.rc) << err.toStdString();
        EXPECT_TRUE(err.contains(r.err)) << err.toStdString();
        if (r.rc == 0) {
            const QString ordner = out.trimmed();
            EXPECT_TRUE(QDir(ordner).exists(QStringLiteral("Zentral.mdb"))) << ordner.toStdString();
        }
    }
    // The list names the backup, and a restore of it by name succeeds after a backup of the
    // current state.
    QString out, err;
    ASSERT_EQ(werkzeug({QStringLiteral("backups"), hotel.path(), QStringLiteral("--root"), wurzel}, out, err), 0) << err.toStdString();
    const QString name = out.section(QLatin1Char('\t'), 0, 0);
    ASSERT_TRUE(name.startsWith(QStringLiteral("DB"))) << out.toStdString();
    EXPECT_TRUE(out.trimmed().endsWith(QStringLiteral("Datenbanken"))) << out.toStdString();
    QThread::msleep(1100);
    ASSERT_EQ(werkzeug({QStringLiteral("restore"), hotel.path(), name, QStringLiteral("--root"), wurzel}, out, err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Die Daten wurden wiederhergestellt."))) << out.toStdString();
    EXPECT_EQ(QDir(wurzel).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}
