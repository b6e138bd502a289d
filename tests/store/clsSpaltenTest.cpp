#include "store/clsSpalten.h"

#include "support/DatabaseFixture.h"

namespace tav::test {

namespace {

using clsSpaltenTest = DatabaseFixture;

TEST_F(clsSpaltenTest, StoredWidthsComeBackOnlyForTheSameColumnCount) {
    clsSpalten s(db());
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("flex"), 3));
    EXPECT_FALSE(s.BreitenSpeichern(QStringLiteral("frmZahlung"), QStringLiteral("flex"), {100, 200}, true));  // header row only
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("flex"), 2));

    ASSERT_TRUE(s.BreitenSpeichern(QStringLiteral("frmZahlung"), QStringLiteral("flex"), {800, 1200, 0}));
    ASSERT_TRUE(s.BreitenSpeichern(QStringLiteral("frmZahlung"), QStringLiteral("flex"), {800, 1500, 0}));  // updates the row
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Breiten FROM tbSpaltenbreiten")).toString(),
              QStringLiteral("800") + QChar(186) + QStringLiteral("1500") + QChar(186) + QStringLiteral("0"));
    EXPECT_EQ(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("flex"), 3), (QList<int>{800, 1500, 0}));
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("andere"), 3));

    // The grid got a column more: the stale row is deleted and the defaults apply from now on.
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("flex"), 4));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbSpaltenbreiten")).toInt(), 0);
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("frmZahlung"), QStringLiteral("flex"), 3));

    // A damaged row (a width that is no number) counts as stale too.
    db().execute(QStringLiteral("INSERT INTO tbSpaltenbreiten (Formular, Steuerelement, AnzSpalten, Breiten) VALUES ('f', 'g', 2, ?)"),
                 {QStringLiteral("10") + QChar(186) + QStringLiteral("x")});
    EXPECT_FALSE(s.BreitenAbrufen(QStringLiteral("f"), QStringLiteral("g"), 2));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbSpaltenbreiten")).toInt(), 0);
}

}  // namespace

}  // namespace tav::test
