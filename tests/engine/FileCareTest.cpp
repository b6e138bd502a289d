#include <gtest/gtest.h>

#include <QFile>

#include "engine/Database.h"
#include "engine/FileCare.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

void schreibe(const QString& path, const QByteArray& inhalt, const QDateTime& zeit) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
    f.flush();
    ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
}

}  // namespace

// Only a super-journal that nobody can need any more goes: not one a journal still names (its
// rollback reads it), not a fresh one (another workstation may be committing).
TEST(FileCareTest, OnlyStaleUnreferencedSuperJournalsAreRemoved) {
    test::TempFolder tmp;
    const QDateTime jetzt = QDateTime::currentDateTime();
    const QDateTime alt = jetzt.addSecs(-3600);
    schreibe(tmp.file(QStringLiteral("Lokal.mdb-mj1A2B3C4D")), "Zentral.mdb-journal", alt);
    schreibe(tmp.file(QStringLiteral("Lokal.mdb-mj55667788")), "Tavomera.mdb-journal", alt);
    schreibe(tmp.file(QStringLiteral("Lokal.mdb-mj99AABBCC")), "x", jetzt.addSecs(-30));
    schreibe(tmp.file(QStringLiteral("Zentral.mdb-journal")), QByteArray("header ") + "Lokal.mdb-mj55667788", alt);
    schreibe(tmp.file(QStringLiteral("Zentral.mdb")), "daten", alt);

    const QStringList weg = filecare::removeStaleSuperJournals(tmp.path(), jetzt);
    EXPECT_EQ(weg, QStringList{tmp.file(QStringLiteral("Lokal.mdb-mj1A2B3C4D"))});
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("Lokal.mdb-mj1A2B3C4D"))));
    for (const char* bleibt : {"Lokal.mdb-mj55667788", "Lokal.mdb-mj99AABBCC", "Zentral.mdb-journal", "Zentral.mdb"})
        EXPECT_TRUE(QFile::exists(tmp.file(QString::fromLatin1(bleibt)))) << bleibt;
}

TEST(FileCareTest, AFileWithoutWritePermissionIsReadOnly) {
    test::TempFolder tmp;
    const QString pfad = tmp.file(QStringLiteral("t.mdb"));
    Database::create(pfad);
    EXPECT_FALSE(filecare::isReadOnly(pfad));
    QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup);
    EXPECT_TRUE(filecare::isReadOnly(pfad));
    EXPECT_FALSE(filecare::isReadOnly(tmp.file(QStringLiteral("fehlt.mdb")))) << "a missing file is another fault";
}
