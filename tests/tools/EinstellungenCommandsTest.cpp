#include <gtest/gtest.h>

#include "engine/Database.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav;
using namespace tav::test;

TEST(EinstellungenCommandsTest, HolidaysAreImportedOnceAndListedByDate) {
    TempFolder tmp;
    dbfiles::createInstallation(tmp.path());
    const QString quelle = tmp.file(dbfiles::kHolidayFile);
    {
        auto q = Database::open(quelle);
        q->execute(QStringLiteral("DELETE FROM tbFeiertage"));
        beispieldaten::feiertageAnlegen(*q, 2040, 2040);
    }
    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    const Aufruf faelle[] = {
        {"import", {"feiertage-import", "--db", db, quelle}, 0, QStringLiteral("Es wurden 9 Feiertage importiert.\n")},
        {"import again", {"feiertage-import", "--db", db, quelle}, 0, QStringLiteral("Alle Feiertage waren bereits vorhanden.\n")},
        {"missing source", {"feiertage-import", "--db", db, tmp.file(QStringLiteral("fehlt.mdb"))}, 1},
        {"no source", {"feiertage-import", "--db", db}, 2},
        {"no database", {"feiertage"}, 2},
    };
    for (const Aufruf& f : faelle) pruefe(f);
    const Lauf l = werkzeug({"feiertage", "--db", db});
    ASSERT_EQ(l.code, 0) << l.err.toStdString();
    const QStringList zeilen = l.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(zeilen.size(), 9);
    EXPECT_TRUE(zeilen[0].endsWith(QStringLiteral("\tNeujahr\t01.01.2040"))) << zeilen[0].toStdString();
    EXPECT_TRUE(zeilen[1].endsWith(QStringLiteral("\tKarfreitag\t30.03.2040"))) << zeilen[1].toStdString();
}
