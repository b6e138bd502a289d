// Thousands of random and mangled statements (open quotes, brackets and #, stray operators,
// cut-off clauses) through the translator and the engine: each gives a translation or a clear
// DatabaseError, never a crash or a hang. Run it under the asan preset as well.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <random>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetSql.h"
#include "engine/JetTokenizer.h"
#include "engine/SqlFunctions.h"
#include "support/DatabaseFixture.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

QStringList corpus() {
    QStringList out = {
        QStringLiteral("SELECT * FROM tblBelegung WHERE Von <= #12-31-2024# AND Kürzel Like 'M*' ORDER BY Von"),
        QStringLiteral(
            "UPDATE tbRePosten INNER JOIN tblBelegung ON tbRePosten.IDBelegung = tblBelegung.ID SET tbRePosten.AbgerechnetPo = 'Ja' WHERE tblBelegung.Von < CDate('06.01.2024')"),
        QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung  From tbRePosten  WHERE (((tbRePosten.IDBelegung)=1));"),
        QStringLiteral(
            "SELECT Address.ID, (address.LastName & ', ' & address.Firstname & ', ' & address.PostalCode) as sName FROM Address"),
        QStringLiteral("SELECT [Tele-Fax], 7 \\ 2, 7 / 2, 2 ^ 3, 5 Mod 2, Von + 1, Bis - Von FROM Address, tblBelegung WHERE ID = ?"),
        QStringLiteral("SELECT TOP 3 ID FROM tblBelegung WHERE Not (ID)=2 AND IDAdressRechnung = Null ORDER BY Preis DESC"),
        QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (9, \"Test\", #4/1/2024 1:30 PM#)"),
        QStringLiteral("SELECT IIf(Format(Von, 'ddd') = 'Sa', DateDiff('d', Von, Now()), DateAdd('m', 1, Von)) FROM tblBelegung"),
    };
    for (const char* name : {"/tests/engine/jetsql_cases.tsv", "/tests/engine/jetsql_fixture.jet"}) {
        QFile f(QStringLiteral(TAVOMERA_SOURCE_DIR) + QString::fromLatin1(name));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        QTextStream in(&f);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1String("//")) || line.isEmpty()) continue;
            const QStringList fields = line.split(QLatin1Char('\t'));
            out << (fields.size() > 1 ? fields[1] : fields[0]);
        }
    }
    return out;
}

// The pieces a mangled statement is made of.
const QStringList kPieces =
    QStringLiteral(
        "'|\"|[|]|#|(|)|&|*|?|%|\\|;|,|.|=|<>|<=|-|+|/|^| |ä|ß|SELECT|FROM|WHERE|DELETE|UPDATE|SET|INNER JOIN|ON|Like|Is|"
        "Not|Null|True|Mod|TOP 2|AS|IN|DISTINCT|Now|Date()|Format(|IIf(|tblBelegung|Von|Address|[Tele-Fax]|"
        "#12-31-2024#|'x'|12|1.5e3|ORDER BY")
        .split(QLatin1Char('|'));

class Mangler {
public:
    explicit Mangler(quint32 seed) : rng_(seed) {}
    int below(int n) { return n <= 1 ? 0 : int(rng_() % quint32(n)); }

    QString mangle(QString s) {
        const int steps = 1 + below(4);
        for (int k = 0; k < steps; ++k) {
            const int at = below(int(s.size()) + 1);
            switch (below(6)) {
                case 0: s.insert(at, kPieces[below(int(kPieces.size()))]); break;
                case 1: s.remove(at, 1 + below(8)); break;
                case 2: s.insert(at, s.mid(below(int(s.size()) + 1), 1 + below(12))); break;
                case 3: s.truncate(at); break;
                case 4: {
                    const int from = below(int(s.size()) + 1);
                    const QString piece = s.mid(from, 1 + below(10));
                    s.remove(from, piece.size());
                    s.insert(qMin<qsizetype>(at, s.size()), piece);
                    break;
                }
                default:
                    if (!s.isEmpty()) s[qMin<qsizetype>(at, s.size() - 1)] = kPieces[below(int(kPieces.size()))].front();
            }
        }
        return s;
    }

    QString random() {
        QString s;
        const int n = 1 + below(14);
        for (int i = 0; i < n; ++i) s += kPieces[below(int(kPieces.size()))] + (below(3) == 0 ? QString() : QStringLiteral(" "));
        return s;
    }

private:
    std::mt19937 rng_;
};

class JetSqlFuzzTest : public test::DatabaseFixture {};

TEST_F(JetSqlFuzzTest, MangledStatementsGiveATranslationOrAClearError) {
    const QStringList seeds = corpus();
    ASSERT_GT(seeds.size(), 100);
    Mangler m(20240107);
    JetSql translator(&db());
    int translated = 0, refused = 0, ran = 0;
    for (int i = 0; i < 4000; ++i) {
        const QString sql = i % 5 == 4 ? m.random() : m.mangle(seeds[m.below(int(seeds.size()))]);
        const LikeMode mode = i % 3 == 0 ? LikeMode::Ado : LikeMode::Dao;
        try {
            translator.translateUncached(sql, mode);
            ++translated;
        } catch (const DatabaseError& e) {
            EXPECT_FALSE(e.message().isEmpty()) << sql.toStdString();
            ++refused;
            continue;
        }
        // Every tenth translated statement also runs, inside a transaction that is undone.
        if (i % 10 != 0) continue;
        QVariantList params;
        for (const jetsql::Token& tok : jetsql::tokenize(sql))
            if (tok.kind == jetsql::TokenKind::Parameter) params << QVariant(1);
        db().beginTrans();
        try {
            Recordset rs = db().openRecordset(sql, params);
            for (int n = 0; !rs.eof() && n < 50; ++n) rs.moveNext();
            ++ran;
        } catch (const DatabaseError& e) {
            EXPECT_FALSE(e.message().isEmpty()) << sql.toStdString();
        }
        db().rollback();
    }
    // Both outcomes occur: the mangling is neither too gentle nor too harsh to mean anything.
    EXPECT_GT(translated, 500);
    EXPECT_GT(refused, 500);
    EXPECT_GT(ran, 10);
}

// Every registered function, taken from the registry, with every count of arguments from none
// to one past its most and with extreme values: each call gives a value or a DatabaseError,
// never a crash. A count outside the declared range is refused by name.
TEST(JetSqlFuzzFunctionsTest, EveryFunctionWithEveryCountAndExtremeValues) {
    test::TempFolder folder;
    auto db = Database::create(folder.file(QStringLiteral("Fuzz.mdb")));
    // The arguments: SQL for the extreme values, "?" for a bound 1 MB text.
    const QStringList values = {
        QStringLiteral("Null"),
        QStringLiteral("1e300"),
        QStringLiteral("-1e300"),
        QStringLiteral("1e999"),                       // infinity
        QStringLiteral("(1e999 - 1e999)"),             // not a number (SQLite makes it Null)
        QStringLiteral("9223372036854775807"),         // INT64_MAX
        QStringLiteral("(-9223372036854775807 - 1)"),  // INT64_MIN
        QStringLiteral("-9223372036854775808"),
        QStringLiteral("2147483647"),
        QStringLiteral("-2147483649"),
        QStringLiteral("-0.0"),
        QStringLiteral("0"),
        QStringLiteral("-1"),
        QStringLiteral("2"),
        QStringLiteral("0.5"),
        QStringLiteral("''"),
        QStringLiteral("'abc'"),
        QStringLiteral("'d'"),
        QStringLiteral("'s'"),
        QStringLiteral("'yyyy'"),
        QStringLiteral("'31.12.9999'"),
        QStringLiteral("'01.01.0100'"),
        QStringLiteral("'9999-12-31 23:59:59'"),
        QStringLiteral("'0001-01-01'"),
        QStringLiteral("'#,##0.00;-0,0%'"),
        QStringLiteral("'dddd, dd. mmmm yyyy hh:nn:ss AM/PM ww q y'"),
        QStringLiteral("'[!a-z]*#?['"),
        QStringLiteral("X'00FF'"),
        QStringLiteral("?"),
        QStringLiteral("?"),
    };
    // 1 MB of text, and 1 MB of open brackets (a Like pattern that never closes).
    const QStringList huge = {QString(1024 * 1024, QLatin1Char('x')), QString(1024 * 1024, QLatin1Char('['))};
    std::mt19937 rng(20261206);
    int calls = 0, results = 0, errors = 0;
    const auto call = [&](const sqlfunctions::FunctionInfo& f, const QStringList& args) {
        // Through the translator by the Jet name where there is one, as a statement reaches it.
        const QString name = f.jetNames.isEmpty() ? f.sqlName : f.jetNames.front();
        const QString sql =
            f.aggregate ? QStringLiteral("SELECT %1(%2) FROM (SELECT 1 UNION ALL SELECT 2)").arg(name, args.join(QStringLiteral(", ")))
                        : QStringLiteral("SELECT %1(%2)").arg(name, args.join(QStringLiteral(", ")));
        QVariantList params;
        for (const QString& a : args)
            if (a == QLatin1String("?")) params << huge[params.size() % 2];
        const bool countOk = int(args.size()) >= f.minArgs && (f.maxArgs < 0 || int(args.size()) <= f.maxArgs);
        ++calls;
        try {
            db->scalar(sql, params);
            ++results;
            EXPECT_TRUE(countOk) << sql.left(200).toStdString();
        } catch (const DatabaseError& e) {
            ++errors;
            EXPECT_FALSE(e.message().isEmpty()) << sql.left(200).toStdString();
            if (!countOk) {
                EXPECT_TRUE(e.message().startsWith(QLatin1String("Falsche Anzahl an Argumenten")))
                    << sql.left(200).toStdString() << " -> " << e.message().toStdString();
            }
        }
    };
    const QList<sqlfunctions::FunctionInfo> all = sqlfunctions::functions();
    ASSERT_GT(all.size(), 50);
    for (const auto& f : all) {
        SCOPED_TRACE(f.sqlName.toStdString());
        // like(…) is reached through the Like operator; the translator leaves the name alone.
        const int most = f.maxArgs < 0 ? f.minArgs + 3 : f.maxArgs + 1;
        for (int n = 0; n <= most; ++n) {
            // Each value in every position at once, then random mixtures.
            for (const QString& v : values) call(f, QStringList(n, v));
            for (int k = 0; k < 30 && n > 0; ++k) {
                QStringList args;
                for (int i = 0; i < n; ++i) args << values[int(rng() % quint32(values.size()))];
                call(f, args);
            }
        }
    }
    EXPECT_GT(results, 1000);
    EXPECT_GT(errors, 1000);
    EXPECT_GT(calls, 10000);
}

// Deep nesting and very long statements are handled without running out of stack or time.
TEST(JetSqlFuzzLimitsTest, DeepAndLongStatements) {
    JetSql translator;
    const QString deep = QStringLiteral("SELECT ") + QString(500, QLatin1Char('(')) + QStringLiteral("1 & 2") +
                         QString(500, QLatin1Char(')')) + QStringLiteral(" FROM t");
    EXPECT_NO_THROW(translator.translateUncached(deep));
    QString chain = QStringLiteral("SELECT a");
    for (int i = 0; i < 2000; ++i) chain += QStringLiteral(" & a");
    EXPECT_NO_THROW(translator.translateUncached(chain + QStringLiteral(" FROM t")));
    EXPECT_THROW(translator.translateUncached(QStringLiteral("SELECT ") + QString(300, QLatin1Char('&'))), DatabaseError);
}

}  // namespace
