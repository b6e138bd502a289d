#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "support/FremdeSperre.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// A file with one table of n rows.
QString fileWithRows(test::TempFolder& tmp, const QString& name, int n) {
    const QString path = tmp.file(name);
    auto db = Database::create(path);
    db->setDurable(false);
    TableDef t;
    t.name = QStringLiteral("Zeilen");
    t.fields = {FieldDef::autoNumber(QStringLiteral("ID")), FieldDef::text(QStringLiteral("Wert"))};
    db->createTable(t);
    db->beginTrans();
    for (int i = 0; i < n; ++i) db->execute(QStringLiteral("INSERT INTO Zeilen (Wert) VALUES (?)"), {QStringLiteral("Zeile %1").arg(i)});
    db->commitTrans();
    return path;
}

class BusyTimeout {
public:
    explicit BusyTimeout(int ms) : old_(Database::busyTimeout()) { Database::setBusyTimeout(ms); }
    ~BusyTimeout() { Database::setBusyTimeout(old_); }

private:
    int old_;
};

}  // namespace

TEST(OnlineBackupTest, CopyHoldsEveryRowOpensWithThePasswordAndIsSound) {
    test::TempFolder tmp;
    const QString src = fileWithRows(tmp, QStringLiteral("a.mdb"), 2000);
    const QString dst = tmp.file(QStringLiteral("kopie.mdb"));
    Database::backup(src, dst);
    EXPECT_EQ(Database::integrityProblem(dst), QString());
    auto copy = Database::open(dst);
    EXPECT_EQ(copy->scalar(QStringLiteral("SELECT Count(*) FROM Zeilen")).toInt(), 2000);
    EXPECT_EQ(copy->scalar(QStringLiteral("SELECT Wert FROM Zeilen WHERE ID = 2000")).toString(), QStringLiteral("Zeile 1999"));
    EXPECT_THROW(Database::open(dst, QStringLiteral(";PWD=falsch")), DatabaseError);
}

TEST(OnlineBackupTest, RefusedCopiesLeaveNoFileAndNameTheFile) {
    test::TempFolder tmp;
    const QString src = fileWithRows(tmp, QStringLiteral("a.mdb"), 3);
    const QString other = fileWithRows(tmp, QStringLiteral("b.mdb"), 1);
    struct Row {
        const char* label;
        QString source;
        QString target;
        QString connect;
        bool targetStays;  // the target existed before and must be untouched
    } rows[] = {
        {"target exists", src, other, kConnect, true},
        {"missing source", tmp.file(QStringLiteral("fehlt.mdb")), tmp.file(QStringLiteral("x1.mdb")), kConnect, false},
        {"wrong password", src, tmp.file(QStringLiteral("x2.mdb")), QStringLiteral(";PWD=falsch"), false},
        {"target folder missing", src, tmp.file(QStringLiteral("nichtda/x3.mdb")), kConnect, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_THROW(Database::backup(r.source, r.target, r.connect), DatabaseError);
        EXPECT_EQ(QFileInfo::exists(r.target), r.targetStays);
        EXPECT_FALSE(QFileInfo::exists(r.target + QStringLiteral("-journal")));
    }
    // The existing target still holds its own row.
    EXPECT_EQ(Database::open(other)->scalar(QStringLiteral("SELECT Count(*) FROM Zeilen")).toInt(), 1);
}

TEST(OnlineBackupTest, AWriterHoldingTheFileMakesTheCopyWaitAndThenFailWithoutAFile) {
    test::TempFolder tmp;
    const QString src = fileWithRows(tmp, QStringLiteral("a.mdb"), 10);
    const QString dst = tmp.file(QStringLiteral("kopie.mdb"));
    BusyTimeout kurz(100);
    {
        test::FremdeSperre sperre({src});
        try {
            Database::backup(src, dst);
            FAIL() << "a copy under another program's exclusive lock must fail";
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.locked()) << e.message().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(dst));
    }
    // Once the lock is gone the same copy succeeds.
    Database::backup(src, dst);
    EXPECT_EQ(Database::integrityProblem(dst), QString());
}

TEST(OnlineBackupTest, IntegrityProblemFindsDamagedAndForeignFiles) {
    test::TempFolder tmp;
    const QString sound = fileWithRows(tmp, QStringLiteral("gut.mdb"), 3000);
    const QString damaged = tmp.file(QStringLiteral("kaputt.mdb"));
    ASSERT_TRUE(QFile::copy(sound, damaged));
    {
        // Overwrite pages in the middle of the table: the b-tree no longer adds up.
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        ASSERT_GT(size, 16 * 4096);
        f.seek(size / 2);
        f.write(QByteArray(3 * 4096, '\x5a'));
    }
    const QString foreign = tmp.file(QStringLiteral("text.mdb"));
    {
        QFile f(foreign);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keine Datenbank");
    }
    EXPECT_EQ(Database::integrityProblem(sound), QString());
    EXPECT_EQ(Database::quickCheckProblem(sound), QString());
    for (const QString& bad : {damaged, foreign, tmp.file(QStringLiteral("fehlt.mdb"))}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_NE(Database::integrityProblem(bad), QString());
        EXPECT_NE(Database::quickCheckProblem(bad), QString());
    }
}
