// The statements of tests/engine/jetsql_cases.tsv run against the data of jetsql_fixture.jet:
// every row a Jet statement, the rows it must give and why. See the head of the .tsv file.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetTokenizer.h"
#include "platform/Clock.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

const QString kCases = QStringLiteral(TAVOMERA_SOURCE_DIR "/tests/engine/jetsql_cases.tsv");
const QString kFixture = QStringLiteral(TAVOMERA_SOURCE_DIR "/tests/engine/jetsql_fixture.jet");

struct Case {
    int line = 0;
    LikeMode mode = LikeMode::Dao;
    QString statement;
    QVariantList params;
    QString expected;
    QString check;
    QString reason;
};

QStringList linesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QStringList lines;
    while (!in.atEnd()) lines << in.readLine();
    return lines;
}

QVariant parameter(const QString& text) {
    const QString value = text.mid(2);
    if (text.startsWith(QLatin1String("s:"))) return value;
    if (text.startsWith(QLatin1String("i:"))) return value.toLongLong();
    if (text.startsWith(QLatin1String("f:"))) return value.toDouble();
    if (text.startsWith(QLatin1String("d:"))) return QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    return QVariant();
}

QList<Case> loadCases() {
    QList<Case> cases;
    const QStringList lines = linesOf(kCases);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() || lines[i].startsWith(QLatin1Char('#'))) continue;
        const QStringList f = lines[i].split(QLatin1Char('\t'));
        Case c;
        c.line = i + 1;
        if (f.size() != 6) {
            c.reason = QStringLiteral("Zeile hat %1 statt 6 Spalten").arg(f.size());
            cases << c;
            continue;
        }
        c.mode = f[0] == QLatin1String("ADO") ? LikeMode::Ado : LikeMode::Dao;
        c.statement = f[1];
        if (!f[2].isEmpty())
            for (const QString& p : f[2].split(QLatin1Char('|'))) c.params << parameter(p);
        c.expected = f[3];
        c.check = f[4];
        c.reason = f[5];
        cases << c;
    }
    return cases;
}

// A value as the expected column writes it (the same form as tavomera-db query prints).
QString cell(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return QStringLiteral("NULL");
    switch (v.typeId()) {
        case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
        default: return v.toString();
    }
}

QStringList rowsOf(Recordset& rs) {
    QStringList rows;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i) fields << cell(rs.value(i));
        rows << fields.join(QLatin1Char(';'));
    }
    return rows;
}

bool ordered(const QString& sql) { return sql.contains(QLatin1String("order by"), Qt::CaseInsensitive); }

bool isQuery(const QString& sql) {
    const QString s = sql.trimmed();
    return s.startsWith(QLatin1String("select"), Qt::CaseInsensitive) || s.startsWith(QLatin1Char('('));
}

class JetSqlCasesTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        test::DatabaseFixture::SetUp();
        Transaction t(db());
        for (const QString& line : linesOf(kFixture)) {
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1String("//"))) continue;
            db().execute(line);
        }
        t.commit();
    }

    // The rows a case gives, or the text of the error.
    QString run(const Case& c) {
        db().setLikeMode(c.mode);
        Transaction t(db());
        QString result;
        try {
            if (isQuery(c.statement)) {
                Recordset rs = db().openRecordset(c.statement, c.params);
                result = join(rowsOf(rs), ordered(c.statement));
            } else {
                const int changed = db().execute(c.statement, c.params);
                result = QLatin1Char('=') + QString::number(changed);
                if (!c.check.isEmpty()) {
                    Recordset rs = db().openRecordset(c.check);
                    result += QStringLiteral(" => ") + join(rowsOf(rs), ordered(c.check));
                }
            }
        } catch (const DatabaseError& e) {
            result = QStringLiteral("Fehler: ") + e.message();
        }
        t.rollback();
        db().setLikeMode(LikeMode::Dao);
        return result;
    }

    static QString join(QStringList rows, bool keepOrder) {
        if (rows.isEmpty()) return QStringLiteral("-");
        if (!keepOrder) rows.sort();
        return rows.join(QLatin1Char('|'));
    }

    // The expected text with the rows of an unordered statement sorted like the result.
    static QString normalised(const Case& c) {
        QString expected = c.expected;
        QString prefix;
        QString sql = c.statement;
        if (expected.startsWith(QLatin1Char('='))) {
            const qsizetype arrow = expected.indexOf(QLatin1String(" => "));
            if (arrow < 0) return expected;
            prefix = expected.left(arrow + 4);
            expected = expected.mid(arrow + 4);
            sql = c.check;
        }
        if (expected == QLatin1String("-")) return prefix + expected;
        return prefix + join(expected.split(QLatin1Char('|')), ordered(sql));
    }
};

TEST_F(JetSqlCasesTest, EveryStatementOfTheTableGivesItsRows) {
    ClockOverride clock(QDateTime(QDate(2024, 1, 7), QTime(10, 0)));
    const QList<Case> cases = loadCases();
    ASSERT_GT(cases.size(), 100) << "the table " << kCases.toStdString() << " was not read";
    for (const Case& c : cases) {
        if (c.statement.isEmpty()) {
            ADD_FAILURE_AT(kCases.toUtf8().constData(), c.line) << c.reason.toStdString();
            continue;
        }
        const QString actual = run(c);
        const QString expected = normalised(c);
        if (actual != expected)
            ADD_FAILURE_AT(kCases.toUtf8().constData(), c.line)
                << c.reason.toStdString() << "\n  " << c.statement.toStdString()
                << "\n  SQLite: " << db().translate(c.statement).toStdString() << "\n  erwartet: " << expected.toStdString()
                << "\n  erhalten: " << actual.toStdString();
    }
}

// Tokenising and joining the tokens again, without any rewrite, gives back every statement of
// the table and of the fixture exactly.
TEST(JetSqlCasesJetTokenizerTest, EveryStatementOfTheTableRoundTrips) {
    QStringList statements;
    for (const Case& c : loadCases()) statements << c.statement << c.check;
    for (const QString& line : linesOf(kFixture))
        if (!line.startsWith(QLatin1String("//"))) statements << line;
    ASSERT_GT(statements.size(), 200);
    for (const QString& s : statements) EXPECT_EQ(jetsql::join(jetsql::tokenize(s)), s);
}

}  // namespace
