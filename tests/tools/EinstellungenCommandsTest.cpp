#include <gtest/gtest.h>

#include <QProcess>

#include "engine/Database.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {
int tool(const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(120000);
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}
}  // namespace

TEST(EinstellungenCommandsTest, HolidaysAreImportedOnceAndListedByDate) {
    test::TempFolder tmp;
    dbfiles::createInstallation(tmp.path());
    {
        auto q = Database::open(tmp.file(dbfiles::kHolidayFile));
        q->execute(QStringLiteral("DELETE FROM tbFeiertage"));
        beispieldaten::feiertageAnlegen(*q, 2040, 2040);
    }
    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    QString out;
    ASSERT_EQ(tool({QStringLiteral("feiertage-import"), QStringLiteral("--db"), db, tmp.file(dbfiles::kHolidayFile)}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(out.trimmed(), QStringLiteral("Es wurden 9 Feiertage importiert."));
    ASSERT_EQ(tool({QStringLiteral("feiertage-import"), QStringLiteral("--db"), db, tmp.file(dbfiles::kHolidayFile)}, &out), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("Alle Feiertage waren bereits vorhanden."));
    ASSERT_EQ(tool({QStringLiteral("feiertage"), QStringLiteral("--db"), db}, &out), 0);
    const QStringList zeilen = out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), 9);
    EXPECT_TRUE(zeilen[0].endsWith(QStringLiteral("\tNeujahr\t01.01.2040"))) << zeilen[0].toStdString();
    EXPECT_TRUE(zeilen[1].endsWith(QStringLiteral("\tKarfreitag\t30.03.2040"))) << zeilen[1].toStdString();

    struct Fall {
        QStringList args;
        int code;
    } faelle[] = {
        {{QStringLiteral("feiertage-import"), QStringLiteral("--db"), db, tmp.file(QStringLiteral("fehlt.mdb"))}, 1},
        {{QStringLiteral("feiertage-import"), QStringLiteral("--db"), db}, 2},
        {{QStringLiteral("feiertage")}, 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(tool(f.args, &out), f.code) << out.toStdString();
    }
}
