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
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

QStringList corpus() {
    QStringList out = {
        QStringLiteral("SELECT * FROM tblBelegung WHERE Von <= #12-31-2024# AND Kürzel Like 'M*' ORDER BY Von"),
        QStringLiteral("UPDATE tbRePosten INNER JOIN tblBelegung ON tbRePosten.IDBelegung = tblBelegung.ID SET tbRePosten.AbgerechnetPo = 'Ja' WHERE tblBelegung.Von < CDate('06.01.2024')"),
        QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung  From tbRePosten  WHERE (((tbRePosten.IDBelegung)=1));"),
        QStringLiteral("SELECT Address.ID, (address.LastName & ', ' & address.Firstname & ', ' & address.PostalCode) as sName FROM Address"),
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
const QStringList kPieces = {
    QStringLiteral("'"),      QStringLiteral("\""),     QStringLiteral("["),       QStringLiteral("]"),
    QStringLiteral("#"),      QStringLiteral("("),      QStringLiteral(")"),       QStringLiteral("&"),
    QStringLiteral("*"),      QStringLiteral("?"),      QStringLiteral("%"),       QStringLiteral("\\"),
    QStringLiteral(";"),      QStringLiteral(","),      QStringLiteral("."),       QStringLiteral("="),
    QStringLiteral("<>"),     QStringLiteral("<="),     QStringLiteral("-"),       QStringLiteral("+"),
    QStringLiteral("/"),      QStringLiteral("^"),      QStringLiteral(" "),       QStringLiteral("ä"),
    QStringLiteral("ß"),      QStringLiteral("SELECT"), QStringLiteral("FROM"),    QStringLiteral("WHERE"),
    QStringLiteral("DELETE"), QStringLiteral("UPDATE"), QStringLiteral("SET"),     QStringLiteral("INNER JOIN"),
    QStringLiteral("ON"),     QStringLiteral("Like"),   QStringLiteral("Is"),      QStringLiteral("Not"),
    QStringLiteral("Null"),   QStringLiteral("True"),   QStringLiteral("Mod"),     QStringLiteral("TOP 2"),
    QStringLiteral("AS"),     QStringLiteral("IN"),     QStringLiteral("DISTINCT"), QStringLiteral("Now"),
    QStringLiteral("Date()"), QStringLiteral("Format("), QStringLiteral("IIf("),   QStringLiteral("tblBelegung"),
    QStringLiteral("Von"),    QStringLiteral("Address"), QStringLiteral("[Tele-Fax]"), QStringLiteral("#12-31-2024#"),
    QStringLiteral("'x'"),    QStringLiteral("12"),     QStringLiteral("1.5e3"),   QStringLiteral("ORDER BY"),
};

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
