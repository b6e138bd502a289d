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
// indexes: a date literal compared with a date field, a text with a text field. The plan's
// window is read from the departures on (the few bookings after it), never from the arrivals
// up to it (the whole history): an index that starts with the arrival must not win it.
TEST_F(JetSqlPlansTest, IndexedFieldsStayUsableThroughTheTranslation) {
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT ID FROM tblBelegung WHERE (((tblBelegung.Von)<=#02-09-2024#) AND ((tblBelegung.Bis)>=#12-31-2023#))"))
            .contains(QStringLiteral("(Bis>?)")));
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT ID FROM tblBelegung WHERE Von >= '10.01.2024'")).contains(QStringLiteral("INDEX tblBelegung_Von")));
    EXPECT_TRUE(
        plan(QStringLiteral("SELECT * FROM tblBelegung WHERE Kürzel = 'maier'")).contains(QStringLiteral("INDEX tblBelegung_Kürzel")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM tblBelegung WHERE Kürzel = ?"), {QStringLiteral("maier")})
                    .contains(QStringLiteral("INDEX tblBelegung_Kürzel")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'Räumlichkeiten'")).contains(QStringLiteral("INDEX")));
}

// A condition of equalities and one Or-group is read branch by branch: each branch seeks its
// own range with the equalities, so that the overlap test of a room reads the bookings around
// the range instead of every booking of the room. The rows are those of the statement as
// written (a parameter keeps the translator from rewriting it).
TEST_F(JetSqlPlansTest, AnOrBesideEqualitiesIsReadBranchByBranchWithTheSameRows) {
    const char* const ueberschneidung =
        " AND Gelöscht = FALSE AND (Von >= CVDATE('11.03.2024') AND Von <= CVDATE('13.03.2024') OR Bis >= CVDATE('11.03.2024') AND "
        "Bis <= CVDATE('13.03.2024') OR (CVDATE('10.03.2024') >= Von AND CVDATE('10.03.2024') < Bis) OR (CVDATE('14.03.2024') > Von "
        "AND CVDATE('14.03.2024') < Bis))";
    const QString umgeschrieben = QStringLiteral("SELECT ID FROM tblBelegung WHERE Zimmernummer = 3") + QString::fromUtf8(ueberschneidung);
    const QString p = plan(umgeschrieben);
    EXPECT_TRUE(p.contains(QStringLiteral("MULTI-INDEX OR"))) << qPrintable(p);
    EXPECT_FALSE(p.contains(QStringLiteral("SCAN"))) << qPrintable(p);

    const int bis[] = {9, 10, 11, 12, 13, 14, 15, 16, 20};
    for (int zimmer : {3, 4})
        for (int von : {5, 9, 10, 11, 12, 13, 14, 15})
            for (int b : bis)
                if (b > von)
                    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Gelöscht) VALUES (?, ?, ?, ?)"),
                                 {zimmer, QDate(2024, 3, von), QDate(2024, 3, b), b == 16});
    const auto ids = [&](const QString& sql, const QVariantList& werte) {
        QList<int> out;
        for (Recordset rs = db().openRecordset(sql + QStringLiteral(" ORDER BY ID"), werte); !rs.eof(); rs.moveNext())
            out << rs.value(0).toInt();
        return out;
    };
    const QList<int> gefunden = ids(umgeschrieben, {});
    EXPECT_GT(gefunden.size(), 10);
    EXPECT_EQ(gefunden, ids(QStringLiteral("SELECT ID FROM tblBelegung WHERE Zimmernummer = ?") + QString::fromUtf8(ueberschneidung), {3}));
    EXPECT_EQ(sql(QStringLiteral("SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C = 3) ORDER BY ID")),
              QStringLiteral("SELECT ID FROM T WHERE ((A = 1) AND (B = 2)) OR ((A = 1) AND (C = 3)) ORDER BY ID"));
    // Left as written: the copies would shift a parameter, change what Xor binds, or gain nothing.
    for (const char* bleibt :
         {"SELECT ID FROM T WHERE A = ? AND (B = 2 OR C = 3)", "SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C IN (SELECT X FROM U))",
          "SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C = 3) AND D XOR E",
          "SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C = 3) AND (D = 1 OR E = 2)", "SELECT ID FROM T WHERE A > 1 AND (B = 2 OR C = 3)",
          "SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C BETWEEN 1 AND 3)", "SELECT ID FROM T WHERE A = 1 AND (B = 2 OR C = 3) OR D = 4"})
        EXPECT_EQ(sql(QString::fromUtf8(bleibt)).count(QStringLiteral("A ")), 1) << bleibt;
    const QString tief =
        QStringLiteral("SELECT ID FROM T WHERE A = 1 AND ") + QString(40, u'(') + QStringLiteral("B = 2 OR C = 3") + QString(40, u')');
    EXPECT_EQ(sql(tief).count(QStringLiteral("A ")), 1) << "nested deeper than the program writes";
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

namespace {

// Two tables whose ID is the counter; Name is a plain field.
class CounterNames final : public NameResolver {
public:
    std::optional<TableLocation> table(const QString& name) const override {
        for (const char* t : {"Address", "tblBelegung"})
            if (name.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
                return TableLocation{QString::fromLatin1(t), {}, QString::fromLatin1(t), {}};
        return std::nullopt;
    }
    QString column(const QString& name) const override { return name; }
    bool isCounter(const QString& table, const QString& column) const override {
        return this->table(table) && column.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
    }
};

}  // namespace

// "table.counter Is Null" becomes two key lookups that are never both true, so that an Or
// around it keeps the indexes of its remaining terms; wherever a Null could still reach the field,
// or the name may not mean the table's own rows, the test stays as written.
TEST(JetSqlTest, TheCountersIsNullBecomesTwoKeyLookupsOnlyWhereNoRowCanLackTheKey) {
    const CounterNames names;
    const JetSql translator(&names);
    struct Case {
        const char* label;
        const char* jet;
        bool rewritten;
    };
    const Case cases[] = {
        {"Or with the quick search", "SELECT ID FROM Address WHERE ((Address.ID Is Null)) OR Address.Lastname >= ?", true},
        {"any case, brackets", "SELECT ID FROM [Address] WHERE [address].[id] IS NULL", true},
        {"inner join",
         "SELECT Address.ID FROM Address INNER JOIN tblBelegung ON Address.ID = tblBelegung.GastID WHERE tblBelegung.ID Is Null", true},
        {"under Not", "SELECT ID FROM Address WHERE Not Address.ID Is Null", true},
        {"Is Not Null", "SELECT ID FROM Address WHERE Address.ID Is Not Null", false},
        {"field without its table", "SELECT ID FROM Address WHERE ID Is Null", false},
        {"field that is no counter", "SELECT ID FROM Address WHERE Address.Name Is Null", false},
        {"unknown table", "SELECT ID FROM Gast WHERE Gast.ID Is Null", false},
        {"left join leaves the field empty",
         "SELECT Address.ID FROM Address LEFT JOIN tblBelegung ON Address.ID = tblBelegung.GastID WHERE tblBelegung.ID Is Null", false},
        {"right join",
         "SELECT Address.ID FROM tblBelegung RIGHT JOIN Address ON Address.ID = tblBelegung.GastID WHERE tblBelegung.ID Is Null", false},
        {"outer join",
         "SELECT Address.ID FROM Address LEFT OUTER JOIN tblBelegung ON Address.ID = tblBelegung.GastID WHERE tblBelegung.ID Is Null",
         false},
        {"name given with As", "SELECT Address.ID FROM tblBelegung AS Address WHERE Address.ID Is Null", false},
        {"parentheses around the field", "SELECT ID FROM Address WHERE (Address.ID) Is Null", false},
        {"inside a text", "SELECT 'Address.ID Is Null' FROM Address", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString out = translator.translateUncached(QString::fromUtf8(c.jet), LikeMode::Dao).sql;
        const bool lookups = out.contains(QStringLiteral(".ID = 0 AND ")) || out.contains(QStringLiteral(".id = 0 AND ")) ||
                             out.contains(QStringLiteral("\"id\" = 0 AND ")) || out.contains(QStringLiteral("\"ID\" = 0 AND "));
        EXPECT_EQ(lookups, c.rewritten) << qPrintable(out);
        if (c.rewritten) {
            EXPECT_FALSE(out.contains(QStringLiteral(" IS NULL"), Qt::CaseInsensitive)) << qPrintable(out);
        }
    }
    // Without names to ask nothing is rewritten.
    EXPECT_TRUE(
        sql(QStringLiteral("SELECT ID FROM Address WHERE Address.ID Is Null")).contains(QStringLiteral("IS NULL"), Qt::CaseInsensitive));
}

// On the real database the rewritten test finds the same rows as the one SQLite reads as
// written, in every position where it may stand, and the quick search's Or now uses the
// indexes of its four fields.
TEST_F(JetSqlPlansTest, TheCountersIsNullFindsTheSameRowsAndLeavesTheOrItsIndexes) {
    for (const char* name : {"Berger", "Bergmann", "Adler", "Zander"})
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city) VALUES (?, 'Anna', 'Berlin')"),
                     {QString::fromLatin1(name)});
    struct Case {
        const char* label;
        const char* rewritten;  // with the counter's Is Null
        const char* asWritten;  // the same test in parentheses, which the translator leaves alone
    };
    const Case cases[] = {
        {"Or", "SELECT ID FROM Address WHERE Address.ID Is Null Or Address.Lastname >= 'Berg' ORDER BY ID",
         "SELECT ID FROM Address WHERE (Address.ID) Is Null Or Address.Lastname >= 'Berg' ORDER BY ID"},
        {"Not", "SELECT ID FROM Address WHERE Not Address.ID Is Null ORDER BY ID",
         "SELECT ID FROM Address WHERE Not (Address.ID) Is Null ORDER BY ID"},
        {"select list", "SELECT ID, Address.ID Is Null AS Leer FROM Address ORDER BY ID",
         "SELECT ID, (Address.ID) Is Null AS Leer FROM Address ORDER BY ID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto rows = [&](const char* jet) {
            QStringList out;
            for (Recordset rs = db().openRecordset(QString::fromUtf8(jet)); !rs.eof(); rs.moveNext()) {
                QStringList row;
                for (int i = 0; i < rs.fieldCount(); ++i) row << rs.value(i).toString();
                out << row.join(QLatin1Char('|'));
            }
            return out;
        };
        const QStringList a = rows(c.rewritten);
        EXPECT_FALSE(a.isEmpty());
        EXPECT_EQ(a, rows(c.asWritten));
    }
    const QString p = plan(QStringLiteral(
        "SELECT Address.ID FROM Address WHERE ((Address.ID Is Null)) OR (Address.FirstName >= 'Ber' And Address.FirstName < 'Berz') "
        "OR (Address.Lastname >= 'Ber' And Address.Lastname < 'Berz') OR (Address.Address >= 'Ber' And Address.Address < 'Berz') "
        "OR (Address.City >= 'Ber' And Address.City < 'Berz')"));
    EXPECT_TRUE(p.contains(QStringLiteral("MULTI-INDEX OR"))) << qPrintable(p);
    EXPECT_FALSE(p.contains(QStringLiteral("SCAN"))) << qPrintable(p);
}
