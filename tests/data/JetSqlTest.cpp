#include <gtest/gtest.h>

#include "data/DatabaseError.h"
#include "data/JetSql.h"
#include "data/JetTokenizer.h"

using namespace tav;

namespace {
QString sql(const QString& jet, LikeMode mode = LikeMode::Dao) { return JetSql().translateUncached(jet, mode).sql; }
}  // namespace

TEST(JetTokenizer, JoiningTheTokensGivesTheStatementBack) {
    const QStringList statements = {
        QStringLiteral("SELECT tblBelegung.ID, [Tele-Fax] FROM tblBelegung WHERE Von <= #12-31-2024# AND Info = 'it''s [x] #1';"),
        QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung  From tbRePosten  WHERE (((tbRePosten.IDBelegung)=5));"),
        QStringLiteral("SELECT a & \"b\" & c, 1.5e3, x\\y, ?, [tbZimmernummern].[AnzahlGästeDefault]-[tblBelegung].[AnzahlGäste] AS Diff"),
        QStringLiteral("\tSELECT\n*\r\nFROM t WHERE a<>b AND c>=d AND e<=f"),
    };
    for (const QString& s : statements) EXPECT_EQ(jetsql::join(jetsql::tokenize(s)), s);
}

TEST(JetSql, LiteralsAndNamesBecomeSQLite) {
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

TEST(JetSql, UnreadableStatementsAreRefusedWithAReason) {
    for (const char* bad : {"SELECT 'offen", "SELECT [offen FROM t", "SELECT * FROM t WHERE Von = #12-31-2024",
                            "SELECT * FROM t WHERE Von = #kein Datum#"})
        EXPECT_THROW(sql(QString::fromUtf8(bad)), DatabaseError) << bad;
}

TEST(JetSql, TranslationsAreCachedByStatementText) {
    JetSql t;
    auto a = t.translate(QStringLiteral("SELECT 1"));
    auto b = t.translate(QStringLiteral("SELECT 1"));
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(t.cacheSize(), 1);
    auto ado = t.translate(QStringLiteral("SELECT 1"), LikeMode::Ado);
    EXPECT_NE(a.get(), ado.get());
}
