#include <gtest/gtest.h>

#include <QThread>

#include "backup/SicherungFixture.h"
#include "support/TempFolder.h"

using namespace tav;

// The admin tool's backup commands as a timer or an administrator calls them: exit codes and
// German messages.
class BackupCommandsTest : public test::SicherungFixture {};

TEST_F(BackupCommandsTest, ExitCodesAndMessages) {
    test::TempFolder leer;
    test::TempFolder config;
    const QString& wurzel = wurzel_;
    struct Row {
        const char* label;
        QStringList args;
        int rc;
        QString err;  // a part of the error output
    } rows[] = {
        {"no folder", {"backup"}, 2, "Aufruf:"},
        {"folder without databases", {"backup", leer.path()}, 1, "Fehler: "},
        {"restore of a folder that is no backup",
         {"restore", folder(), leer.path(), "--root", wurzel},
         1,
         "Die Datenbank 'Tavomera.mdb' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich."},
        {"backup", {"backup", folder(), "--root", wurzel}, 0, QString()},
    };
    QString out, err;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(test::werkzeug(config.path(), r.args, -1, &out, &err), r.rc) << err.toStdString();
        EXPECT_TRUE(err.contains(r.err)) << err.toStdString();
        EXPECT_EQ(r.rc == 0, QDir(out.trimmed()).exists(QStringLiteral("Zentral.mdb"))) << out.toStdString();
    }
    // The list names the backup, and a restore of it by name succeeds after a backup of the
    // current state.
    ASSERT_EQ(test::werkzeug(config.path(), {QStringLiteral("backups"), folder(), QStringLiteral("--root"), wurzel}, -1, &out, &err), 0)
        << err.toStdString();
    const QString name = out.section(QLatin1Char('\t'), 0, 0);
    ASSERT_TRUE(name.startsWith(QStringLiteral("DB"))) << out.toStdString();
    EXPECT_TRUE(out.trimmed().endsWith(QStringLiteral("Datenbanken"))) << out.toStdString();
    QThread::msleep(1100);
    ASSERT_EQ(test::werkzeug(config.path(), {QStringLiteral("restore"), folder(), name, QStringLiteral("--root"), wurzel}, -1, &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Die Daten wurden wiederhergestellt."))) << out.toStdString();
    EXPECT_EQ(QDir(wurzel).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}
