#include <gtest/gtest.h>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetDate.h"
#include "engine/JetSql.h"
#include "engine/JetTokenizer.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {
QString sql(const QString& jet, LikeMode mode = LikeMode::Dao) { return JetSql().translateUncached(jet, mode).sql; }
}  // namespace

TEST(JetSqlJetTokenizerTest, JoiningTheTokensGivesTheStatementBack) {
    const QStringList statements = {
        QStringLiteral("SELECT tblBelegung.ID, [Tele-Fax] FROM tblBelegung WHERE Von <= #12-31-2024# AND Info = 'it''s [x] #1';"),
        QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung  From tbRePosten  WHERE (((tbRePosten.IDBelegung)=5));"),
        QStringLiteral("SELECT a & \"b\" & c, 1.5e3, x\\y, ?, [tbZimmernummern].[AnzahlGästeDefault]-[tblBelegung].[AnzahlGäste] AS Diff"),
        QStringLiteral("\tSELECT\n*\r\nFROM t WHERE a<>b AND c>=d AND e<=f"),
    };
    for (const QString& s : statements) EXPECT_EQ(jetsql::join(jetsql::tokenize(s)), s);
}

TEST(JetSqlTest, LiteralsAndNamesBecomeSQLite) {
    struct Case {
        QString jet;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("SELECT * FROM t WHERE Von <= #12-31-2024#"), QStringLiteral("SELECT * FROM t WHERE Von <= '2024-12-31'")},
        {QStringLiteral("SELECT * FROM t WHERE Von = #2/3/2007#"), QStringLiteral("SELECT * FROM t WHERE Von = '2007-02-03'")},
        {QStringLiteral("SELECT * FROM t WHERE Von = #2007-02-03 1:30:00 PM#"),
         QStringLiteral("SELECT * FROM t WHERE Von = '2007-02-03 13:30:00'")},
        {QStringLiteral("SELECT * FROM t WHERE Checked = True AND Fix = false"),
         QStringLiteral("SELECT * FROM t WHERE Checked = -1 AND Fix = 0")},
        {QStringLiteral("SELECT [Tele-Fax], [Max von IDFeiertage] FROM t"),
         QStringLiteral("SELECT \"Tele-Fax\", \"Max von IDFeiertage\" FROM t")},
        {QStringLiteral("DELETE * FROM tblTarife;"), QStringLiteral("DELETE FROM tblTarife")},
        {QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung  From tbRePosten WHERE (((tbRePosten.IDBelegung)=5));"),
         QStringLiteral("DELETE From tbRePosten WHERE (((tbRePosten.IDBelegung)=5))")},
        {QStringLiteral("SELECT * FROM t WHERE BelegNummer <> NULL AND x = Null"),
         QStringLiteral("SELECT * FROM t WHERE BelegNummer IS NOT NULL AND x IS Null")},
        {QStringLiteral("SELECT \"a'b\" FROM t"), QStringLiteral("SELECT 'a''b' FROM t")},
        {QStringLiteral("UPDATE tblBelegung SET tblBelegung.Wäsche1 = 6, tblBelegung.Frühstück = True;"),
         QStringLiteral("UPDATE tblBelegung SET Wäsche1 = 6, Frühstück = -1")},
    };
    for (const Case& c : cases) EXPECT_EQ(sql(c.jet), c.expected) << c.jet.toStdString();
}

TEST(JetSqlTest, UnreadableStatementsAreRefusedWithAReason) {
    for (const char* bad :
         {"SELECT 'offen", "SELECT [offen FROM t", "SELECT * FROM t WHERE Von = #12-31-2024", "SELECT * FROM t WHERE Von = #kein Datum#"})
        EXPECT_THROW(sql(QString::fromUtf8(bad)), DatabaseError) << bad;
}

TEST(JetSqlTest, TranslationsAreCachedByStatementText) {
    JetSql t;
    auto a = t.translate(QStringLiteral("SELECT 1"));
    auto b = t.translate(QStringLiteral("SELECT 1"));
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(t.cacheSize(), 1);
    auto ado = t.translate(QStringLiteral("SELECT 1"), LikeMode::Ado);
    EXPECT_NE(a.get(), ado.get());
}

TEST(JetSqlJetDateTest, LiteralsAndTextsThatAreNoDatesAreRefused) {
    // #…# literals are month first; text (CDate) is read day first, as German settings read it.
    struct Case {
        const char* text;
        bool literal;
        QDateTime expected;  // invalid = refused
    };
    const Case cases[] = {
        {"2/3/2007", true, QDateTime(QDate(2007, 2, 3), QTime(0, 0), Qt::UTC)},
        {"2/3/2007", false, QDateTime(QDate(2007, 3, 2), QTime(0, 0), Qt::UTC)},
        {"02-30-2024", true, QDateTime()},
        {"13/13/2024", false, QDateTime()},
        {"31.02.2024", false, QDateTime()},
        {"12:00 AM", true, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)},
        {"12:00 PM", true, QDateTime(QDate(1899, 12, 30), QTime(12, 0), Qt::UTC)},
        {"1/2/2024 11:59:59 PM", true, QDateTime(QDate(2024, 1, 2), QTime(23, 59, 59), Qt::UTC)},
        {"1/2/2024 13:00 PM", true, QDateTime()},
        {"1/2/2024 25:00", true, QDateTime()},
        {"5.1.24 8:05", false, QDateTime(QDate(2024, 1, 5), QTime(8, 5), Qt::UTC)},
        {"kein Datum", false, QDateTime()},
    };
    for (const Case& c : cases) {
        const auto d = c.literal ? jetdate::parseLiteral(QString::fromUtf8(c.text)) : jetdate::fromText(QString::fromUtf8(c.text));
        EXPECT_EQ(d.value_or(QDateTime()), c.expected) << c.text;
    }
}

class JetSqlPlansTest : public test::DatabaseFixture {
protected:
    QString plan(const QString& jet, const QVariantList& params = {}) {
        QString details;
        Recordset rs = db().openRecordset(QStringLiteral("EXPLAIN QUERY PLAN ") + jet, params);
        for (; !rs.eof(); rs.moveNext()) details += rs.text(QStringLiteral("detail")) + QLatin1Char('\n');
        return details;
    }
};

// The translation keeps comparisons of indexed fields plain, so that SQLite can use the
// indexes: a date literal compared with a date field, a text with a text field.
TEST_F(JetSqlPlansTest, IndexedFieldsStayUsableThroughTheTranslation) {
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT ID FROM tblBelegung WHERE (((tblBelegung.Von)<=#02-09-2024#) AND ((tblBelegung.Bis)>=#12-31-2023#))"))
            .contains(QStringLiteral("INDEX tblBelegung_")));
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT ID FROM tblBelegung WHERE Von >= '10.01.2024'")).contains(QStringLiteral("INDEX tblBelegung_Von")));
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT * FROM tblBelegung WHERE Kürzel = 'maier'")).contains(QStringLiteral("INDEX tblBelegung_Kürzel")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM tblBelegung WHERE Kürzel = ?"), {QStringLiteral("maier")})
                    .contains(QStringLiteral("INDEX tblBelegung_Kürzel")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'Räumlichkeiten'")).contains(QStringLiteral("INDEX")));
}

// Stored dates are read back from the row's bytes without the calendar's general conversion:
// every day of two centuries, leap days included, comes back as the same date; a text that
// only looks like a date stays text.
TEST_F(JetSqlPlansTest, StoredDatesComeBackExactly) {
    for (QDate d(1899, 12, 30); d <= QDate(2101, 3, 1); d = d.addDays(d.month() == 2 ? 1 : 13))
        ASSERT_EQ(db().scalar(QStringLiteral("SELECT ?"), {d}).toDate(), d) << d.toString(Qt::ISODate).toStdString();
    for (const char* text : {"2023-02-29", "2100-02-29", "2024-13-01", "2024-04-31", "0000-01-01"})
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT ?"), {QString::fromLatin1(text)}), QVariant(QString::fromLatin1(text))) << text;
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT ?"), {QStringLiteral("2000-02-29 23:59:58")}).toDateTime(),
              QDateTime(QDate(2000, 2, 29), QTime(23, 59, 58), Qt::UTC));
}
